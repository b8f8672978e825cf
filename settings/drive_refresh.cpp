#include "settings/drive_refresh.h"

#include "settings/current_drives.h"

namespace tv {

bool RefreshDrives(SettingsRecord& record, const SettingsContext& context) {
    for (int index = 0; index < kDriveLetterCount; ++index) {
        record.Drives[index].Kind = CurrentDriveType(context.drives, DriveLetterAt(index));
    }
    const uint32_t mask = context.drives.LogicalDrives();
    const int32_t lastDrive = CurrentLastDrive(context.drives);
    if (mask == record.ValidDrive && lastDrive == record.LastDrive) return false;
    record.ValidDrive = mask;
    record.LastDrive = lastDrive;
    return true;
}

}  // namespace tv
