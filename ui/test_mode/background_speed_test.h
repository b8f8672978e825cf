// The speed test run from the window thread without holding it: the test file is written and
// every copy timed on a worker thread, while the questions, the share connections and the
// clean-up between the steps stay on the window thread, where the prompts and the live record
// belong.
#pragma once

#include <QObject>
#include <atomic>
#include <cstdint>
#include <functional>
#include <memory>

#include "controller/test_mode/speed_test_run.h"

namespace tv {

class WorkerThread;

class BackgroundSpeedTest : public QObject {
    Q_OBJECT
  public:
    using EndHandler = std::function<void(uint64_t averageMs)>;

    // settings and what services refer to must outlive the test; ended is called on the window
    // thread with the average (0 when the user gave up or every copy failed).
    BackgroundSpeedTest(const SpeedTestRequest& request, SettingsRecord& settings,
                        const SpeedTestServices& services, EndHandler ended,
                        QObject* parent = nullptr);
    // Stops the step under way, waits for it and removes what the test made; ended is not
    // called.
    ~BackgroundSpeedTest() override;

    // Asks its questions and starts writing the file; ended(0) at once when the user gives up.
    void Start();
    // From Start until ended is called.
    bool IsRunning() const { return running_; }

  private:
    using Step = void (BackgroundSpeedTest::*)(uint64_t);

    void OffThread(std::function<uint64_t()> work, Step then);
    void FileWritten(uint64_t written);
    void NextRun();
    void RunTimed(uint64_t ms);
    void End(uint64_t averageMs);

    SpeedTestRequest request_;
    SpeedTestServices services_;
    SpeedTest test_;
    EndHandler ended_;
    bool running_ = false;
    std::atomic<bool> stop_{false};
    // Last: joined before the test cleans up.
    std::unique_ptr<WorkerThread> worker_;
};

}  // namespace tv
