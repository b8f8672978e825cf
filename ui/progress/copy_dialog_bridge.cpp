#include "ui/progress/copy_dialog_bridge.h"

#include <QCoreApplication>
#include <QEvent>

#include "ui/progress/progress_window.h"

namespace tv {

namespace {

constexpr int kShowDelayMs = 50;

void ShowBatch(CNewCopyDlg& dialog, const ProgressBatch& batch) {
    if (batch.total) dialog.OnCountDone(*batch.total);
    if (batch.phase) dialog.OnPhase(*batch.phase);
    if (batch.first || batch.second) dialog.OnSetLines(batch.first, batch.second);
    if (batch.steps > 0) dialog.OnStep(batch.steps);
}

}  // namespace

CopyDialogBridge::CopyDialogBridge(CNewCopyDlg& dialog) : dialog_(dialog) {
    showTimer_.setSingleShot(true);
    showTimer_.setInterval(kShowDelayMs);
    QObject::connect(&showTimer_, &QTimer::timeout, &dialog_, [this] { ShowMailbox(); });
}

CopyDialogBridge::~CopyDialogBridge() {
    QCoreApplication::removePostedEvents(&dialog_, QEvent::MetaCall);
}

void CopyDialogBridge::SetLines(const std::optional<std::string>& first,
                                const std::optional<std::string>& second) {
    PostShowingIf(mailbox_.PutLines(first, second));
}

void CopyDialogBridge::Step() { PostShowingIf(mailbox_.PutStep()); }

void CopyDialogBridge::SetTotal(uint64_t files) { PostShowingIf(mailbox_.PutTotal(files)); }

void CopyDialogBridge::SetPhase(Phase phase) { PostShowingIf(mailbox_.PutPhase(phase)); }

void CopyDialogBridge::RunEnded(int runResult) {
    QMetaObject::invokeMethod(
        &dialog_,
        [this, runResult] {
            ShowMailbox();
            dialog_.OnRunEnded(runResult);
        },
        Qt::QueuedConnection);
}

// One request is on its way while the mailbox holds anything: the window takes it all when
// the timer it starts runs out.
void CopyDialogBridge::PostShowingIf(bool mailboxWasEmpty) {
    if (!mailboxWasEmpty) return;
    QMetaObject::invokeMethod(
        &dialog_, [this] { showTimer_.start(); }, Qt::QueuedConnection);
}

void CopyDialogBridge::ShowMailbox() {
    for (const ProgressBatch& batch : mailbox_.Take()) ShowBatch(dialog_, batch);
}

int DialogPrompts::MessageBox(const std::string& text, const std::string& caption, unsigned flags) {
    int answer = 0;
    RunOnThreadOf(window_, [&] { answer = prompts_.MessageBox(text, caption, flags); });
    return answer;
}

}  // namespace tv
