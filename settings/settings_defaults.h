// The default values of the record: the whole reset that a new record gets, and the five group
// resets behind the settings dialog's reset buttons.
#pragma once

#include "settings/settings_context.h"
#include "settings/settings_record.h"

namespace tv {

// A new record: what ResetToDefaults gives on the drives present.
SettingsRecord DefaultSettings(const SettingsContext& context);

// ValidDrive and LastDrive from the drives present, then every group reset in the order below.
void ResetToDefaults(SettingsRecord& record, const SettingsContext& context);

void ResetDriveUnit(SettingsRecord& record, const SettingsContext& context);
// Also fills the rows of the fixed and CD-ROM drives and counts the fixed drives.
void ResetFileDirUnit(SettingsRecord& record, const SettingsContext& context);
// Also fills the rows of the removable drives and blanks the rows of every other letter.
void ResetRemovable(SettingsRecord& record, const SettingsContext& context);
void ClearCredentials(SettingsRecord& record);
void ResetDetails(SettingsRecord& record);

}  // namespace tv
