// The worker of one progress window: runs one copy job on its own thread. It loads the idle
// library of the install folder when it is created (a missing library or entry means the
// run never waits) and frees it when it goes. When the runner gave it a window, the worker
// tells it the run's end after a pause of a second, so the last texts stay readable.
#pragma once

#include <atomic>
#include <string>

#include "engine/job/copy_job.h"
#include "engine/job/run_context.h"
#include "engine/worker/idle_library.h"
#include "engine/worker/worker_thread.h"
#include "log/log_store.h"
#include "platform/locations.h"

namespace tv {

class Clock;
class DriveTable;

class CopyWorker {
  public:
    // The job's log lines go to the day files of the program directory; the idle library is
    // the install folder's. The job and the targets live as long as the worker.
    CopyWorker(const CopyJob& job, const RunTargets& targets, const Clock& clock,
               const DriveTable& drives, const Locations& locations);
    // Waits for the thread; then frees the idle library.
    ~CopyWorker() = default;
    CopyWorker(const CopyWorker&) = delete;
    CopyWorker& operator=(const CopyWorker&) = delete;

    // Starts the run unless it was started before.
    void Start();
    // A stop button: the worker stops at its next test.
    void RequestStop() { context_.RequestStop(); }
    WorkerState state() const { return context_.state(); }
    bool IsFinished() const { return thread_.IsFinished(); }
    void WaitUntilFinished() { thread_.WaitUntilFinished(); }
    // The run's result (see RunJob); meaningful once finished.
    int runResult() const { return runResult_.load(); }
    // What the engine reported of the run; meaningful once finished.
    const CopyOutcome& outcome() const { return context_.outcome(); }
    bool HasIdleFunction() const { return idle_.HasFunction(); }

  private:
    void Run();

    const CopyJob& job_;
    const Clock& clock_;
    IdleLibrary idle_;
    LogStore log_;
    RunContext context_;
    std::atomic<int> runResult_{0};
    // Last, so that the thread has ended before anything it uses goes.
    WorkerThread thread_;
};

}  // namespace tv
