#include "controller/session_end/shutdown_ahead.h"

#include "controller/frame_ids.h"
#include "controller/main_frame.h"
#include "controller/session_end/exit_run.h"

namespace tv {

// The run the desktop's query put the end off for is made here instead, without the question,
// which nobody may be there to answer before the system stops waiting.
void MeetShutdown(MainFrame& frame) {
    FrameMode& mode = frame.state().mode;
    if (!mode.CanMeetShutdown()) return;
    mode.AnnounceShutdown();
    frame.services().timers.Stop(kTimerExitRun);
    StepTowardsShutdown(frame);
}

void StepTowardsShutdown(MainFrame& frame) {
    FrameServices& services = frame.services();
    if (frame.state().mode.running()) {
        services.copyRunner.StopRuns();
        return;
    }
    services.timers.Start(kTimerBeforeShutdown, kBeforeShutdownDelayMs);
}

// A run started since the last step is stopped in turn. The run before the session ends always
// enters its bracket here (nothing runs and the program is not ending), so its end comes back
// for the release.
void FinishBeforeShutdown(MainFrame& frame) {
    FrameServices& services = frame.services();
    const FrameMode& mode = frame.state().mode;
    services.timers.Stop(kTimerBeforeShutdown);
    if (!mode.WorksTowardsShutdown()) return;
    if (mode.running()) {
        StepTowardsShutdown(frame);
        return;
    }
    services.copyRunner.AllowRuns();
    if (TakeExitRun(frame)) {
        RunExitRun(frame);
        return;
    }
    services.session.LetShutdownProceed();
}

// A program that is ending keeps its runs stopped.
void ForgetShutdown(MainFrame& frame) {
    FrameMode& mode = frame.state().mode;
    if (!mode.shutdownAhead()) return;
    mode.CallOffShutdown();
    frame.services().timers.Stop(kTimerBeforeShutdown);
    if (!mode.ending()) frame.services().copyRunner.AllowRuns();
}

}  // namespace tv
