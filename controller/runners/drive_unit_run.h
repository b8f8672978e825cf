// The drive-unit run: every fixed drive (and every CD/DVD-ROM drive unless the settings leave
// them out) copied whole into its own folder under the drive unit's destination.
#pragma once

#include "controller/runners/copy_launch.h"
#include "controller/runners/run_host.h"
#include "settings/settings_record.h"

namespace tv {

// settings is the live record or a schedule's; a pair entered at the password prompt is kept
// in it.
void RunDriveUnit(RunHost& host, SettingsRecord& settings, RunOrigin origin);

}  // namespace tv
