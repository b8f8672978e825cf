#include "controller/removable_drives.h"

#include "settings/current_drives.h"

namespace tv {

void RefreshRemovableDrives(SettingsRecord& settings, const DriveTable& drives) {
    for (int index = 0; index < kDriveLetterCount; ++index) {
        const char letter = DriveLetterAt(index);
        DriveEntry& entry = settings.Drives[index];
        const int type = CurrentDriveType(drives, letter);
        if (type == kDriveRemovable) {
            entry.Kind = kDriveRemovable;
            entry.Name = CurrentDisplayName(drives, letter);
        } else if (type == kDriveUnknown) {
            entry.Kind = kDriveUnknown;
        }
    }
}

}  // namespace tv
