// Brings the record's view of the drives up to date after the drives may have changed.
#pragma once

#include "settings/settings_context.h"
#include "settings/settings_record.h"

namespace tv {

// Sets every row's Kind to the current drive type; stores the current logical-drive mask and
// last drive letter, and returns true when either differs from the values held before. Name,
// Work and BackupDir stay as they are.
bool RefreshDrives(SettingsRecord& record, const SettingsContext& context);

}  // namespace tv
