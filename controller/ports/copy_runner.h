// The modal runs of the copy engine: a copy job or a relocation behind a progress window. The
// user interface implements it with the real window; a headless runner (no window) serves
// the controller's tests. Both return when the run has ended.
#pragma once

#include <string>

#include "engine/job/copy_job.h"
#include "engine/relocation/relocation.h"

namespace tv {

// The window's stop buttons; their ids are also the window's results.
constexpr int kIdStopAndNext = 1084;  // "中止して次へ"
constexpr int kIdStopAll = 1085;      // "全処理を中止"
// A relocation that stopped because a file did not fit.
constexpr int kResultDestinationFull = 1;

// How a copy run behind the window ended.
struct CopyRunResult {
    // 0, or the stop button that ended the copy pass (kIdStopAndNext, kIdStopAll).
    int windowResult = 0;
    // What the engine reported of the run; empty when the run never started.
    CopyOutcome outcome;
};

class CopyRunner {
  public:
    virtual ~CopyRunner() = default;
    // Runs the job with the runner's own window and prompts; the job is left as it was. An
    // empty title stands for the window's own.
    virtual CopyRunResult RunCopyJob(const CopyJob& job, const std::string& title) = 0;
    // 0, kResultDestinationFull, or the stop button that ended the run.
    virtual int RunRelocation(const RelocationRequest& request, const std::string& title) = 0;
    // The run in progress stops as the stop-all button stops it, and every run asked for later
    // ends at once with kIdStopAll, until AllowRuns. A runner whose runs end by themselves (a
    // test's) has nothing to stop.
    virtual void StopRuns() {}
    // Runs asked for from now on run again.
    virtual void AllowRuns() {}
};

// A copy run closes its window with the pressed button only when the copy pass itself was
// cancelled: a stop during the listing or the deletion ends the run normally (0).
int CopyWindowResult(int runResult, int pressedButton);
// A relocation closes with the pressed button when it was stopped, 1 when a file did not fit.
int RelocationWindowResult(int relocationEnd, int pressedButton);

}  // namespace tv
