// What the settings read of the drives present now, one letter at a time.
#pragma once

#include <cstdint>
#include <string>

#include "platform/drive_table.h"
#include "settings/settings_record.h"

namespace tv {

// The drive type of a letter; kDriveNoRootDir when the letter has no drive.
int32_t CurrentDriveType(const DriveTable& drives, char letter);
// The shell's display name of a letter's drive; "" when the letter has no drive.
std::string CurrentDisplayName(const DriveTable& drives, char letter);
// The character code of the last present drive letter ('E' = 0x45); 0 when there is none.
int32_t CurrentLastDrive(const DriveTable& drives);
// The folder RM<letter> in the documents folder, where a drive's backups go by default.
std::string DefaultBackupDir(const std::string& documentsDir, char letter);

// Floppy letters A and B are backed up only on request, any other removable drive when inserted.
DriveWork DefaultRemovableWork(char letter);

}  // namespace tv
