// The items of the tray icon's pop-up menu.
#pragma once

#include <vector>

#include "controller/ports/tray.h"
#include "platform/drive_table.h"
#include "settings/settings_record.h"

namespace tv {

// The three fixed items (exit, settings, settings report), then one "<display name>をミラーリング"
// item per removable drive present whose role is automatic or manual backup, in letter order.
// Display names are taken from the record, which the caller refreshes first.
std::vector<TrayMenuItem> TrayMenuItems(const SettingsRecord& settings, const DriveTable& drives);

}  // namespace tv
