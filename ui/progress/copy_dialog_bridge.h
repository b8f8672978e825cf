// The worker's side of the progress window: its notifications and message boxes cross to the
// window's thread. What the worker "sends" waits until the window has handled it; the run's
// end is posted and the worker goes on at once.
#pragma once

#include <QMetaObject>
#include <QObject>
#include <QThread>
#include <utility>

#include "engine/progress_sink.h"
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
    explicit CopyDialogBridge(CNewCopyDlg& dialog) : dialog_(dialog) {}

    void SetLines(const std::optional<std::string>& first,
                  const std::optional<std::string>& second) override;
    void Step() override;
    void SetTotal(uint64_t files) override;
    void SetPhase(Phase phase) override;
    void RunEnded(int runResult) override;

  private:
    CNewCopyDlg& dialog_;
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
