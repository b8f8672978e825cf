#include "ui/progress/qt_copy_runner.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <QThread>

#include "engine/relocation/relocation_worker.h"
#include "engine/worker/copy_worker.h"
#include "platform/drive_table.h"
#include "ui/progress/copy_dialog_bridge.h"
#include "ui/progress/progress_window.h"

namespace tv {

namespace {

// A window left before the run's end (the application quitting under it) must still not
// outlive its worker: the worker is stopped and its notifications are handled until it ends,
// since it waits for each of them.
template <typename Worker>
void StopAndLetFinish(const CNewCopyDlg& dialog, Worker& worker) {
    if (dialog.runEnded()) return;
    worker.RequestStop();
    while (!worker.IsFinished()) {
        QCoreApplication::processEvents(QEventLoop::AllEvents);
        QThread::msleep(5);
    }
}

}  // namespace

QtCopyRunner::QtCopyRunner(const Clock& clock, const DriveTable& drives, const Locations& locations,
                           Prompts& prompts, IdleGate* controllerIdle, QWidget* parent)
    : clock_(clock),
      drives_(drives),
      locations_(locations),
      prompts_(prompts),
      controllerIdle_(controllerIdle),
      parent_(parent) {}

CopyRunResult QtCopyRunner::RunCopyJob(const CopyJob& job, const std::string& title) {
    if (runsStopped_) return CopyRunResult{kIdStopAll, {}};
    CNewCopyDlg dialog(title, job.ShowProgress != 0, &CopyWindowResult, parent_);
    CopyDialogBridge bridge(dialog);
    // A manual run's question is asked from the worker and shown by the window's thread.
    DialogPrompts prompts(prompts_, dialog);
    const DriveTable drives = drives_;  // the worker's own copy
    // Declared last: it ends (and waits for its thread) before the bridge and the window go.
    CopyWorker worker(job, RunTargets{&bridge, &prompts}, clock_, drives, locations_);
    dialog.SetStopHandler([&worker] { worker.RequestStop(); });
    worker.Start();
    const int result = RunWindow(dialog);
    StopAndLetFinish(dialog, worker);
    worker.WaitUntilFinished();
    return CopyRunResult{result, worker.outcome()};
}

int QtCopyRunner::RunRelocation(const RelocationRequest& request, const std::string& title) {
    if (runsStopped_) return kIdStopAll;
    CNewCopyDlg dialog(title, true, &RelocationWindowResult, parent_);
    if (request.Navigation == 0) dialog.HideProgressBar();
    CopyDialogBridge bridge(dialog);
    DialogPrompts prompts(prompts_, dialog);
    const DriveTable drives = drives_;  // the worker's own copy
    RelocationWorker worker(request, clock_, drives, controllerIdle_, prompts, &bridge,
                            locations_.programDir);
    dialog.SetStopHandler([&worker] { worker.RequestStop(); });
    worker.Start();
    const int result = RunWindow(dialog);
    StopAndLetFinish(dialog, worker);
    return result;
}

int QtCopyRunner::RunWindow(CNewCopyDlg& dialog) {
    openWindow_ = &dialog;
    const int result = dialog.RunModal();
    openWindow_ = nullptr;
    return result;
}

void QtCopyRunner::StopRuns() {
    runsStopped_ = true;
    if (openWindow_) openWindow_->PressStop(kIdStopAll);
}

void QtCopyRunner::AllowRuns() { runsStopped_ = false; }

}  // namespace tv
