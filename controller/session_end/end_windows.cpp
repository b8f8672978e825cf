#include "controller/session_end/end_windows.h"

#include "controller/frame_ids.h"
#include "controller/notice_texts.h"
#include "controller/session_end/end_action.h"

namespace tv {

namespace {

// The user is told at every refused attempt: each one is an end the user waited for that did not
// come.
void TellRefused(Notifier& notifier, bool powerOff) {
    notifier.Notify(
        Notice{kSessionEndSummary, powerOff ? kPowerOffRefused : kLogOffRefused, std::nullopt});
}

bool AskSessionToEnd(Session& session, bool powerOff) {
    if (!powerOff) return session.EndSession();
    return session.MayPowerOff() && session.PowerOff();
}

void StopFrameTimers(Timers& timers) {
    for (const int id : {kTimerExitRun, kTimerTick, kTimerMediaPoll, kTimerMediaNotify}) {
        timers.Stop(id);
    }
}

}  // namespace

// The housekeeping ends the closing, and a refused end leaves it so: the tray menu and the exit
// work again. The timers stop only once the desktop has taken the request (the call blocks until
// then, so none fires in between): a refused end leaves the program running as it was, ticks
// included. EndAction stays as it is, so the next run to end asks again.
void EndWindows(SessionEndHost& host) {
    const SessionEndServices services = host.sessionEndServices();
    host.ExitHousekeeping();
    const bool powerOff = host.sessionEnd().EndAction == kEndPowerOff;
    if (!AskSessionToEnd(services.session, powerOff)) {
        TellRefused(services.notifier, powerOff);
        return;
    }
    StopFrameTimers(services.timers);
    host.mode().BeginClosing();
}

void CarryOutEndAction(SessionEndHost& host) {
    if (host.sessionEnd().EndAction > kEndNothing) EndWindows(host);
}

}  // namespace tv
