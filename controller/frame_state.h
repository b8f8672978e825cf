// The flags through which the frame's handlers keep out of each other's way while a modal
// dialog or a copy run lets messages through, and the action chosen for the end of a run.
#pragma once

namespace tv {

struct FrameState {
    bool SettingsOpen = false;    // the settings dialog is open
    bool Closing = false;         // from the exit confirmation to the end of the housekeeping
    bool CopyRunning = false;     // a copy run is in progress
    bool Ending = false;          // the system ends the program: no run starts any more
    bool ShutdownAhead = false;   // the system shuts down once the frame lets it go
    bool DriveUnitArmed = false;  // the drive unit's first runs after start-up are done
    bool UnattendedRun = false;   // the current run started without the user
    bool ScheduledRun = false;    // the current run belongs to a schedule
    int EndAction = 0;            // what to do once the run has ended (0 nothing)
    int FullBackupCounter = 0;    // drive-unit runs since the last full backup
    // The run before the session ends has been offered; the frame lives as long as the process,
    // so this holds for the rest of it.
    bool ExitMirroringDone = false;
    // The desktop's query put the session's end off for that run, which is still to be offered.
    bool ExitRunPending = false;
};

}  // namespace tv
