#include "controller/settings_dialog/removable_rescan.h"

#include "platform/win_constants.h"
#include "settings/current_drives.h"

namespace tv {

namespace {

void TakeRemovable(DriveEntry& entry, const DriveTable& drives, const std::string& documentsDir,
                   char letter) {
    entry.Name = CurrentDisplayName(drives, letter);
    entry.Kind = kDriveRemovable;
    entry.Work = DefaultRemovableWork(letter);
    if (entry.BackupDir.empty()) entry.BackupDir = DefaultBackupDir(documentsDir, letter);
}

}  // namespace

void RescanRemovableDrives(SettingsRecord& record, const DriveTable& drives,
                           const std::string& documentsDir) {
    for (int index = 0; index < kDriveLetterCount; ++index) {
        const char letter = DriveLetterAt(index);
        DriveEntry& entry = record.Drives[index];
        switch (CurrentDriveType(drives, letter)) {
            case kDriveRemovable:
                TakeRemovable(entry, drives, documentsDir, letter);
                break;
            case kDriveFixed:
            case kDriveCdRom:
                break;
            default:
                entry.Kind = kDriveUnknown;
        }
    }
}

}  // namespace tv
