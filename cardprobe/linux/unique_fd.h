// Owns one open file descriptor and closes it when it goes.
#pragma once

#include <unistd.h>

namespace tv::cardprobe {

class UniqueFd {
  public:
    explicit UniqueFd(int fd = -1) : fd_(fd) {}
    ~UniqueFd() { Close(); }
    UniqueFd(const UniqueFd&) = delete;
    UniqueFd& operator=(const UniqueFd&) = delete;

    int get() const { return fd_; }
    bool valid() const { return fd_ >= 0; }
    // Closes now and tells whether the close succeeded (a deferred write error shows here).
    bool Close() {
        if (fd_ < 0) return true;
        const bool ok = ::close(fd_) == 0;
        fd_ = -1;
        return ok;
    }

  private:
    int fd_;
};

}  // namespace tv::cardprobe
