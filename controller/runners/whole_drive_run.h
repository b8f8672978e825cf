// One whole drive copied into the folder named by its volume serial number, as the drive-unit
// run does for each of its drives and the file/directory run for each drive chosen as its
// source; recorded in "Decision.txt" when the run went through.
#pragma once

#include <string>

#include "controller/runners/copy_launch.h"
#include "controller/runners/run_host.h"
#include "settings/settings_record.h"

namespace tv {

struct WholeDriveRun {
    char letter = 'C';
    std::string destinationFolder;  // the serial's folder goes below it
    std::string title;
    const char* unit = "";
    RunKind kind = RunKind::DriveUnit;
    RunOrigin origin = RunOrigin::Timer;
    // Full backups are made: when one is due, and for every drive not recorded yet.
    bool fullBackups = false;
    bool fullBackupDue = false;
};

// Stop when there is no destination folder or the user stopped everything; Continue when the
// drive's root cannot be reached (it is passed over) and after the run.
RunStep RunWholeDrive(RunHost& host, const SettingsRecord& settings, const WholeDriveRun& run);

}  // namespace tv
