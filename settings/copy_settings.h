// Copies one record into another: the settings dialog's backup copy and the schedules' records.
#pragma once

#include "settings/settings_record.h"

namespace tv {

// Every field but HDBackupDrive, which the target keeps. The target's lists are replaced by
// the source's entries, each taken once.
void CopySettings(const SettingsRecord& source, SettingsRecord& target);

}  // namespace tv
