// The settings in words, as the settings dialog's "設定一覧" page shows them: four blocks (drive
// unit, file/directory unit, removable media, details), lines ended by CR LF, each value after a
// label of 14 full-width characters.
#pragma once

#include <string>

#include "settings/settings_record.h"

namespace tv {

// The source list names only the entries that exist on disk now.
std::string BuildSettingsSummary(const SettingsRecord& record);

}  // namespace tv
