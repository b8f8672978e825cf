#include "controller/session_end/shutdown_ahead.h"

#include "controller/frame_ids.h"
#include "controller/session_end/exit_run.h"

namespace tv {

// The run the desktop's query put the end off for is made here instead, without the question,
// which nobody may be there to answer before the system stops waiting.
void MeetShutdown(SessionEndHost& host) {
    FrameMode& mode = host.mode();
    if (!mode.CanMeetShutdown()) return;
    mode.AnnounceShutdown();
    host.sessionEndServices().timers.Stop(kTimerExitRun);
    StepTowardsShutdown(host);
}

void StepTowardsShutdown(SessionEndHost& host) {
    const SessionEndServices services = host.sessionEndServices();
    if (host.mode().running()) {
        services.copyRunner.StopRuns();
        return;
    }
    services.timers.Start(kTimerBeforeShutdown, kBeforeShutdownDelayMs);
}

// A run started since the last step is stopped in turn. The run before the session ends always
// enters its bracket here (nothing runs and the program is not ending), so its end comes back
// for the release.
void FinishBeforeShutdown(SessionEndHost& host) {
    const SessionEndServices services = host.sessionEndServices();
    const FrameMode& mode = host.mode();
    services.timers.Stop(kTimerBeforeShutdown);
    if (!mode.WorksTowardsShutdown()) return;
    if (mode.running()) {
        StepTowardsShutdown(host);
        return;
    }
    services.copyRunner.AllowRuns();
    if (TakeExitRun(host)) {
        RunExitRun(host);
        return;
    }
    services.session.LetShutdownProceed();
}

// A program that is ending keeps its runs stopped.
void ForgetShutdown(SessionEndHost& host) {
    FrameMode& mode = host.mode();
    if (!mode.shutdownAhead()) return;
    mode.CallOffShutdown();
    const SessionEndServices services = host.sessionEndServices();
    services.timers.Stop(kTimerBeforeShutdown);
    if (!mode.ending()) services.copyRunner.AllowRuns();
}

}  // namespace tv
