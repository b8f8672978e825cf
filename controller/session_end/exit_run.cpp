#include "controller/session_end/exit_run.h"

#include "controller/frame_ids.h"
#include "controller/runners/file_dir_run.h"
#include "controller/session_end/end_windows.h"
#include "platform/win_constants.h"

namespace tv {

namespace {

constexpr const char* kExitRunNotice = "バックアップ後にWindowsを終了させます。";
constexpr const char* kConfirmCaption = "確認";

constexpr int kExitRunThisTimeOnly = 1;
constexpr int kExitRunEveryTime = 2;

}  // namespace

bool ClaimExitRun(int& executeType) {
    if (executeType != kExitRunThisTimeOnly && executeType != kExitRunEveryTime) return false;
    if (executeType == kExitRunThisTimeOnly) executeType = 0;
    return true;
}

bool TakeExitRun(SessionEndHost& host) {
    SessionEndPlan& plan = host.sessionEnd();
    if (plan.ExitMirroringDone) return false;
    if (!plan.ExitRunPending && !ClaimExitRun(host.runs().settings().ExecuteType)) return false;
    plan.ExitRunPending = false;
    plan.ExitMirroringDone = true;
    return true;
}

void RunExitRun(SessionEndHost& host) {
    RunFileDir(host.runs(), host.runs().settings(), RunOrigin::SessionEnd);
}

// The run counts as offered from the question on, so that a shutdown announced meanwhile does
// not make it a second time. No end action was chosen on this path, so EndWindows logs off; the
// log-off asks the query again, which then lets it pass. When the system ends the program or
// shuts down meanwhile, the session ends without the frame's help.
void RunBeforeSessionEnds(SessionEndHost& host) {
    const SessionEndServices services = host.sessionEndServices();
    services.timers.Stop(kTimerExitRun);
    if (!TakeExitRun(host)) return;
    const int answer =
        services.prompts.MessageBox(kExitRunNotice, kConfirmCaption, kMbOkCancel | kMbIconQuestion);
    if (answer == kIdOk) RunExitRun(host);
    if (host.mode().SessionEndsWithoutFrame()) return;
    EndWindows(host);
}

}  // namespace tv
