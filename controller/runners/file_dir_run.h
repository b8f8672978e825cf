// The file/directory run: first every item of the file list is backed up into the unit's
// destination (a folder through the engine, a single file copied directly), then every fixed
// drive chosen as a source of the unit is copied whole into its own folder there.
#pragma once

#include <string>

#include "controller/runners/copy_launch.h"
#include "controller/runners/run_host.h"
#include "settings/settings_record.h"

namespace tv {

void RunFileDir(RunHost& host, SettingsRecord& settings, RunOrigin origin);

// The items of the file list alone; Stop when the run must end (no destination, the user
// cancelled or stopped everything, the share could not be connected).
RunStep RunFileDirItems(RunHost& host, SettingsRecord& settings, RunOrigin origin);

}  // namespace tv
