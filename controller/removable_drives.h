// The record's view of the removable drives, brought up to date before the drives are shown or
// a medium is run: a removable drive gets its kind and the shell's display name, a drive whose
// type cannot be told is marked unknown, every other row stays as it is.
#pragma once

#include "platform/drive_table.h"
#include "settings/settings_record.h"

namespace tv {

void RefreshRemovableDrives(SettingsRecord& settings, const DriveTable& drives);

}  // namespace tv
