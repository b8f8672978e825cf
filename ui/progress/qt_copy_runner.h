// Copy jobs and relocations behind the real progress window, modal for the caller. Each worker
// reads a copy of the drive table taken when its run starts: while the window is open, media
// that come and go are noticed on this thread, which refreshes the frame's table.
#pragma once

#include <string>

#include "controller/ports/copy_runner.h"
#include "platform/locations.h"

class QWidget;

namespace tv {

class CNewCopyDlg;
class Clock;
class DriveTable;
class IdleGate;
class Prompts;

class QtCopyRunner : public CopyRunner {
  public:
    // controllerIdle: the gate a relocation waits on (null: none). A copy job's worker loads
    // its own idle library from the install folder. prompts: whom a relocation and a manual
    // copy job ask, over the window.
    QtCopyRunner(const Clock& clock, const DriveTable& drives, const Locations& locations,
                 Prompts& prompts, IdleGate* controllerIdle, QWidget* parent = nullptr);

    CopyRunResult RunCopyJob(const CopyJob& job, const std::string& title) override;
    int RunRelocation(const RelocationRequest& request, const std::string& title) override;
    void StopRuns() override;
    void AllowRuns() override;

  private:
    // The window's modal run, with the window known as the open one while it lasts.
    int RunWindow(CNewCopyDlg& dialog);

    const Clock& clock_;
    const DriveTable& drives_;
    Locations locations_;
    Prompts& prompts_;
    IdleGate* controllerIdle_;
    QWidget* parent_;
    // The window of the run in progress; null between runs.
    CNewCopyDlg* openWindow_ = nullptr;
    bool runsStopped_ = false;
};

}  // namespace tv
