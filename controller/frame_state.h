// What the frame keeps between its events: its mode, the drive unit's progress through its runs,
// and what is to happen when the session ends.
#pragma once

#include "controller/frame_mode.h"

namespace tv {

struct DriveUnitProgress {
    bool Armed = false;         // the drive unit's first runs after start-up are done
    int FullBackupCounter = 0;  // drive-unit runs since the last full backup
};

struct SessionEndPlan {
    int EndAction = 0;  // what to do once the run has ended (0 nothing)
    // The run before the session ends has been offered; the frame lives as long as the process,
    // so this holds for the rest of it.
    bool ExitMirroringDone = false;
    // The desktop's query put the session's end off for that run, which is still to be offered.
    bool ExitRunPending = false;
};

struct FrameState {
    FrameMode mode;
    DriveUnitProgress driveUnit;
    SessionEndPlan sessionEnd;
};

}  // namespace tv
