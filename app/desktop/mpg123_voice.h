// The voice guidance played with libmpg123 (decoding) and libout123 (the sound device), on a
// thread of its own so that a recording that is not waited for leaves the user interface free.
#pragma once

#include <atomic>
#include <string>
#include <thread>

#include "controller/ports/voice.h"

namespace tv {

class Mpg123Voice : public Voice {
  public:
    // driver and device: libout123's output ("" for the desktop's sound server; tests
    // give its file output and a file name).
    explicit Mpg123Voice(std::string driver = "", std::string device = "");
    ~Mpg123Voice() override;
    Mpg123Voice(const Mpg123Voice&) = delete;
    Mpg123Voice& operator=(const Mpg123Voice&) = delete;

    void Play(const std::string& path, bool wait) override;
    void Stop() override;

  private:
    void PlayFile(const std::string& path);

    std::string driver_;
    std::string device_;
    std::atomic<bool> stopRequested_{false};
    std::thread player_;
};

}  // namespace tv
