// The worker of a relocation window: runs one relocation on its own thread with the idle gate
// the resident controller loaded, and tells the window when it has ended.
#pragma once

#include <atomic>
#include <string>

#include "engine/job/run_context.h"
#include "engine/relocation/relocation.h"
#include "engine/worker/worker_thread.h"

namespace tv {

class Clock;
class DriveTable;
class IdleGate;
class Prompts;
class ProgressSink;

class RelocationWorker {
  public:
    // idle: the controller's gate, null when it has none (then nothing waits). The message
    // boxes of the run go to prompts, from the worker's thread.
    RelocationWorker(const RelocationRequest& request, const Clock& clock, const DriveTable& drives,
                     IdleGate* idle, Prompts& prompts, ProgressSink* window,
                     std::string programDir);
    ~RelocationWorker() = default;  // waits for the thread
    RelocationWorker(const RelocationWorker&) = delete;
    RelocationWorker& operator=(const RelocationWorker&) = delete;

    void Start();
    void RequestStop() { context_.RequestStop(); }
    bool IsFinished() const { return thread_.IsFinished(); }
    void WaitUntilFinished() { thread_.WaitUntilFinished(); }
    // Meaningful once finished.
    RelocationEnd end() const { return end_.load(); }

  private:
    void Run();

    const RelocationRequest& request_;
    Prompts& prompts_;
    ProgressSink* window_;
    std::string programDir_;
    RunContext context_;
    std::atomic<RelocationEnd> end_{RelocationEnd::Finished};
    WorkerThread thread_;  // last: ends before anything it uses goes
};

}  // namespace tv
