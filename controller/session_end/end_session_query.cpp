#include "controller/session_end/end_session_query.h"

#include "controller/frame_ids.h"
#include "controller/main_frame.h"
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
void PutOffUntilRunEnds(MainFrame& frame, bool logOff) {
    const int wanted = logOff ? kEndLogOff : kEndPowerOff;
    SessionEndPlan& plan = frame.state().sessionEnd;
    if (frame.state().mode.unattended()) {
        plan.EndAction = wanted;
        frame.services().notifier.Notify(
            Notice{kSessionEndSummary, logOff ? kLogOffAfterRun : kPowerOffAfterRun, std::nullopt});
        return;
    }
    const int answer = frame.services().prompts.MessageBox(
        logOff ? kLogOffQuestion : kPowerOffQuestion, kConfirmCaption, kMbYesNo | kMbIconQuestion);
    plan.EndAction = answer == kIdYes ? wanted : kEndNothing;
}

bool OfferExitRun(MainFrame& frame) {
    if (!ClaimExitRun(frame.settings().ExecuteType)) return true;
    frame.state().sessionEnd.ExitRunPending = true;
    frame.services().timers.Start(kTimerExitRun, kExitRunDelayMs);
    return false;
}

}  // namespace

// The frame has no unsaved work of its own, so nothing else can refuse first. The closing does not
// refuse either: it is set while the frame's own shutdown or log-off goes through, and that
// request must be let pass.
bool MayEndSession(MainFrame& frame, bool logOff) {
    const FrameState& state = frame.state();
    if (state.sessionEnd.EndAction > kEndNothing) return true;
    if (state.mode.running() && frame.settings().Navigation == 0) {
        PutOffUntilRunEnds(frame, logOff);
        return false;
    }
    if (state.sessionEnd.ExitMirroringDone) return true;
    return OfferExitRun(frame);
}

}  // namespace tv
