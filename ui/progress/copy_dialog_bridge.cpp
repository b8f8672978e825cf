#include "ui/progress/copy_dialog_bridge.h"

#include "ui/progress/progress_window.h"

namespace tv {

void CopyDialogBridge::SetLines(const std::optional<std::string>& first,
                                const std::optional<std::string>& second) {
    RunOnThreadOf(dialog_, [&] { dialog_.OnSetLines(first, second); });
}

void CopyDialogBridge::Step() {
    RunOnThreadOf(dialog_, [&] { dialog_.OnStep(); });
}

void CopyDialogBridge::SetTotal(uint64_t files) {
    RunOnThreadOf(dialog_, [&] { dialog_.OnCountDone(files); });
}

void CopyDialogBridge::SetPhase(Phase phase) {
    RunOnThreadOf(dialog_, [&] { dialog_.OnPhase(phase); });
}

void CopyDialogBridge::RunEnded(int runResult) {
    CNewCopyDlg* dialog = &dialog_;
    QMetaObject::invokeMethod(
        dialog, [dialog, runResult] { dialog->OnRunEnded(runResult); }, Qt::QueuedConnection);
}

int DialogPrompts::MessageBox(const std::string& text, const std::string& caption, unsigned flags) {
    int answer = 0;
    RunOnThreadOf(window_, [&] { answer = prompts_.MessageBox(text, caption, flags); });
    return answer;
}

}  // namespace tv
