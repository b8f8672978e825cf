#include "engine/worker/copy_worker.h"

#include "engine/job/job_run.h"
#include "engine/job/progress_sink.h"
#include "platform/clock.h"

namespace tv {

namespace {
// The pause before the window is told of the end, so that the last texts stay visible.
constexpr unsigned kEndPauseMs = 1000;
}  // namespace

CopyWorker::CopyWorker(const CopyJob& job, const RunTargets& targets, const Clock& clock,
                       const DriveTable& drives, const Locations& locations)
    : job_(job),
      clock_(clock),
      idle_(locations.installDir),
      log_(locations.programDir),
      context_(clock, drives, &log_, idle_.HasFunction() ? &idle_ : nullptr) {
    context_.SetState(WorkerState::Idle);
    context_.SetTargets(targets);
}

void CopyWorker::Start() {
    thread_.StartRun(context_, [this] { Run(); });
}

void CopyWorker::Run() {
    const int result = RunJob(job_, context_);
    runResult_.store(result);
    if (context_.window()) {
        clock_.SleepMs(kEndPauseMs);
        context_.window()->RunEnded(result);
    }
}

}  // namespace tv
