// What the removable page's "更新" does to the record: every removable drive present takes its
// display name, kind 2 and the default work of its letter ("自動", but "手動" for A: and B:), and
// a destination RM<letter> in the documents folder when it has none; fixed and CD-ROM drives
// stay as they are; every other letter is marked as no drive (kind 0).
#pragma once

#include <string>

#include "platform/drive_table.h"
#include "settings/settings_record.h"

namespace tv {

void RescanRemovableDrives(SettingsRecord& record, const DriveTable& drives,
                           const std::string& documentsDir);

}  // namespace tv
