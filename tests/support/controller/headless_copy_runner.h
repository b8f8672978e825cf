// Copy jobs and relocations on their worker thread with no window, for callers without a
// screen (the controller's tests). An observer, when set, is told everything a window would be
// told, on the worker's thread, and may press a stop button from there.
#pragma once

#include <functional>
#include <mutex>
#include <string>

#include "controller/ports/copy_runner.h"
#include "platform/locations.h"

namespace tv {

class Clock;
class DriveTable;
class IdleGate;
class Prompts;
class ProgressSink;

class HeadlessCopyRunner : public CopyRunner {
  public:
    // controllerIdle: the gate a relocation waits on (null: none). A copy job's worker loads
    // its own idle library from the install folder. prompts: whom a relocation and a manual
    // copy job ask.
    HeadlessCopyRunner(const Clock& clock, const DriveTable& drives, const Locations& locations,
                       Prompts& prompts, IdleGate* controllerIdle);

    void SetObserver(ProgressSink* observer) { observer_ = observer; }
    // A stop button of the running window: remembered as its result, and the worker stopped.
    void PressStop(int buttonId);

    CopyRunResult RunCopyJob(const CopyJob& job, const std::string& title) override;
    int RunRelocation(const RelocationRequest& request, const std::string& title) override;

    // The title the last run was given.
    const std::string& lastTitle() const { return lastTitle_; }

  private:
    void BeginRun(const std::string& title, std::function<void()> stop);
    void EndRun();

    const Clock& clock_;
    const DriveTable& drives_;
    Locations locations_;
    Prompts& prompts_;
    IdleGate* controllerIdle_;
    ProgressSink* observer_ = nullptr;
    std::string lastTitle_;
    std::mutex mutex_;  // guards what a press touches: the running worker's stop and the press
    std::function<void()> stopWorker_;
    int pressed_ = 0;
};

}  // namespace tv
