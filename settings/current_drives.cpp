#include "settings/current_drives.h"

#include "platform/paths.h"

namespace tv {

int32_t CurrentDriveType(const DriveTable& drives, char letter) {
    const std::string root = drives.RootOf(letter);
    return root.empty() ? kDriveNoRootDir : drives.DriveType(root);
}

std::string CurrentDisplayName(const DriveTable& drives, char letter) {
    const std::string root = drives.RootOf(letter);
    return root.empty() ? std::string() : drives.DisplayName(root);
}

int32_t CurrentLastDrive(const DriveTable& drives) {
    const uint32_t mask = drives.LogicalDrives();
    for (int index = kDriveLetterCount - 1; index >= 0; --index) {
        if (mask & (1u << index)) return DriveLetterAt(index);
    }
    return 0;
}

std::string DefaultBackupDir(const std::string& documentsDir, char letter) {
    return JoinPath(documentsDir, std::string("RM") + letter);
}

DriveWork DefaultRemovableWork(char letter) {
    return letter == 'A' || letter == 'B' ? DriveWork::ManualBackup : DriveWork::AutoBackup;
}

}  // namespace tv
