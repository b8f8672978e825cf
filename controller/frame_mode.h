// What holds the frame: the settings dialog, the exit (from its confirmation, or from the frame's
// own request to end the session, until the housekeeping is done), a run, and the system's end of
// the program or its announced shutdown. The dialog, the exit confirmation and a run's window are
// modal and let the frame's events through, so these overlap: a tick starts a run under the open
// dialog, the dialog's start buttons run while it still counts as open, and the end of a run may
// begin the end of the session under the dialog. Each has its own beginning and end; the
// handlers ask the guards what they may do.
#pragma once

#include "controller/run_origin.h"

namespace tv {

class FrameMode {
  public:
    void OpenDialog() { dialogOpen_ = true; }
    void CloseDialog() { dialogOpen_ = false; }
    void BeginClosing() { closing_ = true; }
    void EndClosing() { closing_ = false; }
    void BeginRun() { running_ = true; }
    void EndRun() { running_ = false; }
    // The origin stays after the run has ended, until the next run is asked for.
    void NoteRunOrigin(RunOrigin origin) { origin_ = origin; }
    // For good: the program ends once no run is in progress.
    void BeginEnding() { ending_ = true; }
    void AnnounceShutdown() { shutdownAhead_ = true; }
    void CallOffShutdown() { shutdownAhead_ = false; }

    bool dialogOpen() const { return dialogOpen_; }
    bool closing() const { return closing_; }
    bool running() const { return running_; }
    bool ending() const { return ending_; }
    bool shutdownAhead() const { return shutdownAhead_; }
    RunOrigin origin() const { return origin_; }
    // The latest run was asked for without the user.
    bool unattended() const { return !IsManual(origin_); }
    bool scheduled() const { return origin_ == RunOrigin::Schedule; }

    // One run at a time, and none once the program is ending; the dialog and the exit
    // confirmation keep no run out.
    bool CanStartRun() const { return !running_ && !ending_; }
    // The dialog, a run or the exit holds the frame: the tray menu's commands and the dialog are
    // kept out.
    bool Busy() const { return dialogOpen_ || running_ || closing_; }
    bool CanOpenDialog() const { return !Busy(); }
    // What asks for the dialog from outside (a notice, a second start) finds it shut while a run
    // or the exit holds the frame; an open dialog is shown instead.
    bool KeepsDialogShut() const { return running_ || closing_; }
    bool CanConfirmExit() const { return !closing_ && !running_; }
    // An announced shutdown is met once, and not by a program that is ending anyway.
    bool CanMeetShutdown() const { return !shutdownAhead_ && !ending_; }
    bool WorksTowardsShutdown() const { return shutdownAhead_ && !ending_; }
    // The system ends the session without the frame's help.
    bool SessionEndsWithoutFrame() const { return ending_ || shutdownAhead_; }

  private:
    bool dialogOpen_ = false;
    bool closing_ = false;
    bool running_ = false;
    bool ending_ = false;
    bool shutdownAhead_ = false;
    RunOrigin origin_ = RunOrigin::Manual;
};

}  // namespace tv
