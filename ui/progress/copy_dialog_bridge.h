// The worker's side of the progress window: its notifications and message boxes cross to the
// window's thread. Progress (lines, steps, the total, the phase) goes through a mailbox that
// the window empties when it can, so the worker never waits for a repaint; a message box waits
// for the user's answer; the run's end is posted behind the last progress.
#pragma once

#include <QMetaObject>
#include <QObject>
#include <QThread>
#include <QTimer>
#include <utility>

#include "controller/progress/progress_mailbox.h"
#include "engine/job/progress_sink.h"
#include "platform/prompts.h"

namespace tv {

class CNewCopyDlg;

// Runs work on the thread of target and waits for it; directly when already there.
template <typename Work>
void RunOnThreadOf(QObject& target, Work work) {
    if (QThread::currentThread() == target.thread()) {
        work();
    } else {
        QMetaObject::invokeMethod(&target, std::move(work), Qt::BlockingQueuedConnection);
    }
}

class CopyDialogBridge : public ProgressSink {
  public:
    // Made on the window's thread, whose event loop runs the repaint timer.
    explicit CopyDialogBridge(CNewCopyDlg& dialog);
    // Drops what is still queued for the window, which would otherwise reach a bridge that is
    // gone. The worker has ended by then.
    ~CopyDialogBridge() override;
    CopyDialogBridge(const CopyDialogBridge&) = delete;
    CopyDialogBridge& operator=(const CopyDialogBridge&) = delete;

    void SetLines(const std::optional<std::string>& first,
                  const std::optional<std::string>& second) override;
    void Step() override;
    void SetTotal(uint64_t files) override;
    void SetPhase(Phase phase) override;
    // Shows whatever progress is still in the mailbox, then ends the window's run.
    void RunEnded(int runResult) override;

  private:
    void PostShowingIf(bool mailboxWasEmpty);
    void ShowMailbox();

    CNewCopyDlg& dialog_;
    ProgressMailbox mailbox_;
    // The window takes the mailbox this long after something came in, so that a fast run
    // repaints a few times a second rather than as often as the window's thread can.
    QTimer showTimer_;
};

// Message boxes asked from the worker, shown by the window's thread while the worker waits.
class DialogPrompts : public Prompts {
  public:
    DialogPrompts(Prompts& prompts, QObject& window) : prompts_(prompts), window_(window) {}
    int MessageBox(const std::string& text, const std::string& caption, unsigned flags) override;

  private:
    Prompts& prompts_;
    QObject& window_;
};

}  // namespace tv
