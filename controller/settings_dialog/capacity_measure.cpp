#include "controller/settings_dialog/capacity_measure.h"

#include "controller/runners/run_job.h"
#include "controller/settings_dialog/capacity_figures.h"
#include "controller/settings_dialog/measured_share.h"
#include "engine/listing/selection_rules.h"
#include "platform/file_system.h"
#include "platform/paths.h"
#include "platform/win_constants.h"

namespace tv {

namespace {

// The job of a file/directory run, for the rules that decide which source files it takes;
// those that compare with the destination do not change how much there is to save.
CopyJob ExclusionRules(const SettingsRecord& settings) {
    return MakeCopyJob(settings, RunKind::FileDir, std::string(), std::string(), nullptr);
}

uint64_t FolderBytes(const CopyJob& rules, const std::string& folder,
                     const std::atomic<bool>& stop) {
    if (IsExcludedFolder(rules, folder)) return 0;
    DirectoryEnumerator entries;
    if (!entries.Open(folder)) return 0;
    uint64_t total = 0;
    FileStatus entry;
    while (!stop && entries.Next(&entry)) {
        const std::string path = JoinPath(folder, entry.name);
        if (entry.IsDirectory()) {
            total += FolderBytes(rules, path, stop);
        } else if (IsSelectedSource(rules, path, entry)) {
            total += entry.size;
        }
    }
    return total;
}

uint64_t EntryBytes(const CopyJob& rules, const std::string& entry, const std::atomic<bool>& stop) {
    FileStatus status;
    if (!GetFileStatus(entry, &status)) return 0;
    if (status.IsDirectory()) return FolderBytes(rules, entry, stop);
    return IsSelectedSource(rules, entry, status) ? status.size : 0;
}

// Where the free space of destination is asked: the path itself, or, when it does not exist
// (yet), the root of the drive it would lie on.
std::string AskedPath(const DriveTable& drives, const std::string& destination) {
    if (IsNetworkPath(destination) || PathExists(destination)) return destination;
    return drives.RootOf(drives.DriveOfPath(destination));
}

}  // namespace

std::vector<char> DriveUnitSources(const DriveTable& drives, const SettingsRecord& settings) {
    std::vector<char> letters;
    if (settings.Synchronize == 0) return letters;
    for (const DriveInfo& drive : drives.Drives()) {
        const bool cd = drive.type == kDriveCdRom && settings.SyncNoCDCopy == 0;
        if (drive.type == kDriveFixed || cd) letters.push_back(drive.letter);
    }
    return letters;
}

uint64_t UsedMegabytes(const DriveTable& drives, char letter) {
    const std::string root = drives.RootOf(letter);
    uint64_t bytes = 0;
    if (root.empty() || !drives.UsedBytes(root, &bytes)) return 0;
    return WholeMegabytes(bytes);
}

uint64_t UsableMegabytes(const DriveTable& drives, SettingsRecord& settings,
                         const std::string& destination, ShareMounter& mounter) {
    if (destination.empty()) return 0;
    const MeasuredShare share(settings, destination, mounter);
    if (!share.reachable()) return 0;
    const std::string asked = AskedPath(drives, destination);
    uint64_t bytes = 0;
    if (asked.empty() || !drives.FreeBytesAvailable(asked, &bytes)) return 0;
    return WholeMegabytes(bytes);
}

uint64_t FileListBytes(SettingsRecord& settings, ShareMounter& mounter,
                       const std::atomic<bool>& stop) {
    const CopyJob rules = ExclusionRules(settings);
    uint64_t total = 0;
    for (const std::string& entry : settings.FileList) {
        if (stop) break;
        const MeasuredShare share(settings, entry, mounter);
        if (share.reachable()) total += EntryBytes(rules, entry, stop);
    }
    return total;
}

CapacityFigures MeasureCapacity(CapacityQuestion& question, ShareMounter& mounter,
                                const std::atomic<bool>& stop) {
    CapacityFigures figures;
    if (question.countsFileList) {
        figures.amountMb = WholeMegabytes(FileListBytes(question.settings, mounter, stop));
    }
    for (const char letter : question.wholeDrives) {
        figures.amountMb += UsedMegabytes(question.drives, letter);
    }
    figures.usableMb =
        UsableMegabytes(question.drives, question.settings, question.destination, mounter);
    return figures;
}

}  // namespace tv
