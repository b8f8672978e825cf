#include "controller/session_end/end_session_query.h"

#include "controller/frame_ids.h"
#include "controller/notice_texts.h"
#include "controller/session_end/end_action.h"
#include "controller/session_end/exit_run.h"
#include "platform/win_constants.h"

namespace tv {

namespace {

constexpr const char* kLogOffQuestion = "ミラーリング終了後にログオフしてもよろしいですか？";
constexpr const char* kPowerOffQuestion =
    "ミラーリング終了後にシャットダウンしてもよろしいですか？";
constexpr const char* kConfirmCaption = "確認";

// A run without a progress window cannot be seen ending, so the end is put off until it has:
// at once for a run nobody started, after asking for one the user started. Nothing on the
// screen says why the desktop did not end at once, so a notice tells the user.
void PutOffUntilRunEnds(SessionEndHost& host, bool logOff) {
    const int wanted = logOff ? kEndLogOff : kEndPowerOff;
    SessionEndPlan& plan = host.sessionEnd();
    if (host.mode().unattended()) {
        plan.EndAction = wanted;
        host.sessionEndServices().notifier.Notify(
            Notice{kSessionEndSummary, logOff ? kLogOffAfterRun : kPowerOffAfterRun, std::nullopt});
        return;
    }
    const int answer = host.sessionEndServices().prompts.MessageBox(
        logOff ? kLogOffQuestion : kPowerOffQuestion, kConfirmCaption, kMbYesNo | kMbIconQuestion);
    plan.EndAction = answer == kIdYes ? wanted : kEndNothing;
}

bool OfferExitRun(SessionEndHost& host) {
    if (!ClaimExitRun(host.runs().settings().ExecuteType)) return true;
    host.sessionEnd().ExitRunPending = true;
    host.sessionEndServices().timers.Start(kTimerExitRun, kExitRunDelayMs);
    return false;
}

}  // namespace

// The frame has no unsaved work of its own, so nothing else can refuse first. The closing does not
// refuse either: it is set while the frame's own shutdown or log-off goes through, and that
// request must be let pass.
bool MayEndSession(SessionEndHost& host, bool logOff) {
    const SessionEndPlan& plan = host.sessionEnd();
    if (plan.EndAction > kEndNothing) return true;
    if (host.mode().running() && host.runs().settings().Navigation == 0) {
        PutOffUntilRunEnds(host, logOff);
        return false;
    }
    if (plan.ExitMirroringDone) return true;
    return OfferExitRun(host);
}

}  // namespace tv
