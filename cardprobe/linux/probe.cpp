#include "cardprobe/linux/probe.h"

#include <sys/statvfs.h>

#include "cardprobe/linux/drive_file_path.h"
#include "cardprobe/linux/sysfs_texts.h"

namespace tv::cardprobe {

namespace {

constexpr int kDriveUnknown = 0;
constexpr int kDriveNoRootDir = 1;
constexpr int kDriveRemovable = 2;

bool FreeSpaceAnswers(const std::string& root) {
    struct statvfs volume;
    return ::statvfs(root.c_str(), &volume) == 0;
}

}  // namespace

ProbeSources DefaultSources() { return ProbeSources{DefaultDriveFilePath(), "/sys"}; }

std::optional<std::string> RootOfDrive(const ProbeSources& sources, int letter) {
    const std::optional<DriveRecord> drive = LookUpDrive(sources.driveFile, letter);
    if (!drive || drive->type == kDriveUnknown || drive->type == kDriveNoRootDir) {
        return std::nullopt;
    }
    return drive->root;
}

int ProbeDrive(const ProbeSources& sources, int letter, MediaInfo* info) {
    info->driveType = kDriveNoRootDir;
    info->mediaKind = 0;
    info->freeSpaceQuery = 0;
    const std::optional<DriveRecord> drive = LookUpDrive(sources.driveFile, letter);
    if (drive) info->driveType = drive->type;
    if (info->driveType == kDriveUnknown || info->driveType == kDriveNoRootDir) return 0;
    if (info->driveType != kDriveRemovable) return 1;

    info->freeSpaceQuery = FreeSpaceAnswers(drive->root) ? 1 : 0;
    PutStorageTexts(ReadStorageTexts(sources.sysfsRoot, drive->device), info);
    return 1;
}

}  // namespace tv::cardprobe
