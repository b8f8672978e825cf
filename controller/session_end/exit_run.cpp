#include "controller/session_end/exit_run.h"

#include "controller/frame_ids.h"
#include "controller/main_frame.h"
#include "controller/runners/file_dir_run.h"
#include "controller/session_end/end_windows.h"
#include "platform/win_constants.h"

namespace tv {

namespace {

constexpr const char* kExitRunNotice = "バックアップ後にWindowsを終了させます。";
constexpr const char* kConfirmCaption = "確認";

void RunUnattended(MainFrame& frame) {
    FrameState& state = frame.state();
    state.UnattendedRun = true;
    state.ScheduledRun = false;
    RunFileDir(frame, frame.settings(), RunOrigin::SessionEnd);
}

}  // namespace

// No end action was chosen on this path, so EndWindows logs off; the log-off asks the query
// again, which then lets it pass because the run has been offered.
void RunBeforeSessionEnds(MainFrame& frame) {
    FrameServices& services = frame.services();
    services.timers.Stop(kTimerExitRun);
    const int answer =
        services.prompts.MessageBox(kExitRunNotice, kConfirmCaption, kMbOkCancel | kMbIconQuestion);
    if (answer == kIdOk) RunUnattended(frame);
    frame.state().ExitMirroringDone = true;
    EndWindows(frame);
}

}  // namespace tv
