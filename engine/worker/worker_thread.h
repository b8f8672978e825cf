// The thread of a progress window's worker: runs one body once and keeps a finished flag that
// cannot be missed, whether the owner asks before or after the body returns.
#pragma once

#include <condition_variable>
#include <functional>
#include <mutex>
#include <thread>

namespace tv {

class RunContext;

class WorkerThread {
  public:
    WorkerThread() = default;
    // Waits for the body to return.
    ~WorkerThread();
    WorkerThread(const WorkerThread&) = delete;
    WorkerThread& operator=(const WorkerThread&) = delete;

    // Starts the body on its own thread (at normal priority); false when already started.
    bool Start(std::function<void()> body);
    // Starts a run once: the context reads running while the body works and finished after.
    void StartRun(RunContext& context, std::function<void()> body);
    bool IsStarted() const { return thread_.joinable(); }
    // True once the body has returned.
    bool IsFinished() const;
    // Blocks until the body has returned; at once when it never started.
    void WaitUntilFinished();

  private:
    void MarkFinished();

    mutable std::mutex mutex_;
    std::condition_variable finishedChanged_;
    bool finished_ = false;
    std::thread thread_;
};

}  // namespace tv
