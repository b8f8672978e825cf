#include "platform/drive_table.h"

#include <algorithm>
#include <cstdio>
#include <fstream>
#include <iterator>
#include <utility>

#include "platform/drive_table_file.h"
#include "platform/file_system.h"
#include "platform/locations.h"
#include "platform/network_paths.h"
#include "platform/paths.h"
#include "platform/pinned_drives_file.h"
#include "platform/volume_label.h"
#include "platform/volume_space.h"

namespace tv {
namespace {

constexpr int kLetterCount = 26;

bool IsDriveLetter(char letter) { return letter >= 'A' && letter <= 'Z'; }

uint32_t LetterBit(char letter) { return 1u << (letter - 'A'); }

// A path lies on a root when the root is a whole-component prefix of it: "/mnt/data/x" and
// "/mnt/data" are on "/mnt/data/", "/mnt/data2" is not.
bool IsOnRoot(const std::string& path, const std::string& root) {
    if (path.empty()) return false;
    if (path.compare(0, root.size(), root) == 0) return true;
    return path.size() + 1 == root.size() && root.compare(0, path.size(), path) == 0;
}

const char* TypeName(int type) {
    switch (type) {
        case kDriveRemovable:
            return "リムーバブル ディスク";
        case kDriveFixed:
            return "ローカル ディスク";
        case kDriveRemote:
            return "ネットワーク ドライブ";
        case kDriveCdRom:
            return "CD ドライブ";
        case kDriveRamDisk:
            return "RAM ディスク";
        default:
            return "ドライブ";
    }
}

}  // namespace

DriveTable::DriveTable(std::string configDir) : configDir_(std::move(configDir)) {}

void DriveTable::SetMountinfoPath(std::string path) { mountinfoPath_ = std::move(path); }

void DriveTable::SetSysfsRoot(std::string path) { sysfsRoot_ = std::move(path); }

void DriveTable::SetDevDiskRoot(std::string path) {
    devDiskRoot_ = std::move(path);
    probeDevices_ = false;
}

void DriveTable::SetPinnedOnly(bool pinnedOnly) {
    pinnedOnly_ = pinnedOnly;
    if (pinnedOnly_) automatic_.clear();
}

void DriveTable::Pin(const DriveInfo& drive) {
    if (!IsDriveLetter(drive.letter) || drive.root.empty()) return;
    Unpin(drive.letter);
    DriveInfo pinned = drive;
    pinned.root = WithTrailingSeparator(drive.root);
    pinned.pinned = true;
    pinned_.push_back(std::move(pinned));
}

void DriveTable::Unpin(char letter) {
    if (IsDriveLetter(letter)) filePinnedLetters_ &= ~LetterBit(letter);
    pinned_.erase(std::remove_if(pinned_.begin(), pinned_.end(),
                                 [letter](const DriveInfo& d) { return d.letter == letter; }),
                  pinned_.end());
}

bool DriveTable::LoadPinnedDrives(std::string* error) {
    std::vector<DriveInfo> declared;
    if (!ReadPinnedDrivesFile(PinnedDrivesFilePath(), &declared, error)) return false;
    ReplaceFilePins(declared);
    WriteDrivesFile();
    return true;
}

void DriveTable::ReplaceFilePins(const std::vector<DriveInfo>& declared) {
    for (char letter = 'A'; letter <= 'Z'; ++letter) {
        if (filePinnedLetters_ & LetterBit(letter)) Unpin(letter);
    }
    const uint32_t heldByPin = PinnedLetters();
    for (const DriveInfo& drive : declared) {
        if (heldByPin & LetterBit(drive.letter)) continue;
        Pin(drive);
        filePinnedLetters_ |= LetterBit(drive.letter);
    }
}

bool DriveTable::Refresh() {
    if (pinnedOnly_) {
        automatic_.clear();
        WriteDrivesFile();
        return true;
    }
    if (!ReadAutomaticDrives(&automatic_)) return false;
    WriteDrivesFile();
    return true;
}

uint32_t DriveTable::PinnedLetters() const {
    uint32_t mask = 0;
    for (const DriveInfo& drive : pinned_) mask |= LetterBit(drive.letter);
    return mask;
}

const DriveInfo* DriveTable::Find(char letter) const {
    for (const DriveInfo& drive : pinned_) {
        if (drive.letter == letter) return &drive;
    }
    for (const DriveInfo& drive : automatic_) {
        if (drive.letter == letter) return &drive;
    }
    return nullptr;
}

DriveInfo* DriveTable::FindMutable(char letter) {
    return const_cast<DriveInfo*>(std::as_const(*this).Find(letter));
}

std::vector<DriveInfo> DriveTable::Drives() const {
    std::vector<DriveInfo> drives;
    for (char letter = 'A'; letter <= 'Z'; ++letter) {
        if (const DriveInfo* drive = Find(letter)) drives.push_back(*drive);
    }
    return drives;
}

uint32_t DriveTable::LogicalDrives() const {
    uint32_t mask = 0;
    for (int i = 0; i < kLetterCount; ++i) {
        if (Find(static_cast<char>('A' + i))) mask |= 1u << i;
    }
    return mask;
}

std::vector<std::string> DriveTable::LogicalDriveStrings() const {
    std::vector<std::string> roots;
    for (const DriveInfo& drive : Drives()) roots.push_back(drive.root);
    return roots;
}

const DriveInfo* DriveTable::FindByRoot(const std::string& root) const {
    if (root.empty()) return nullptr;
    const std::string wanted = WithTrailingSeparator(root);
    for (char letter = 'A'; letter <= 'Z'; ++letter) {
        const DriveInfo* drive = Find(letter);
        if (drive && drive->root == wanted) return drive;
    }
    return nullptr;
}

int DriveTable::DriveType(const std::string& root) const {
    // A share is a remote drive while it is mounted, and no drive at all otherwise.
    if (IsNetworkPath(root)) return ToLocalPath(root).empty() ? kDriveNoRootDir : kDriveRemote;
    const DriveInfo* drive = Find(DriveOfPath(root));
    return drive ? drive->type : kDriveNoRootDir;
}

bool DriveTable::VolumeInformation(const std::string& root, uint32_t* serial, std::string* label,
                                   bool* hasSerial) const {
    const DriveInfo* drive = FindByRoot(root);
    // A drive whose folder is gone is like a drive without its medium.
    if (!drive || !IsDirectory(drive->root)) return false;
    if (serial) *serial = drive->hasSerial ? drive->serial : 0;
    if (label) *label = drive->label;
    if (hasSerial) *hasSerial = drive->hasSerial;
    return true;
}

bool DriveTable::SetVolumeLabel(const std::string& root, const std::string& label) {
    const DriveInfo* found = FindByRoot(root);
    if (!found) return false;
    // Labels of real volumes are only changed on real devices, never for a recorded table.
    const bool changed = found->pinned ? PersistPinnedLabel(found->letter, label)
                                       : probeDevices_ && WriteVolumeLabel(found->device, label);
    if (!changed) return false;
    FindMutable(found->letter)->label = label;
    WriteDrivesFile();
    return true;
}

bool DriveTable::PersistPinnedLabel(char letter, const std::string& label) const {
    if (!(filePinnedLetters_ & LetterBit(letter))) return true;
    return WritePinnedLabel(PinnedDrivesFilePath(), letter, label);
}

bool DriveTable::FreeBytesAvailable(const std::string& path, uint64_t* bytes) const {
    if (!bytes) return false;
    const DriveInfo* drive = Find(DriveOfPath(path));
    if (drive && drive->freeBytes) {
        *bytes = *drive->freeBytes;
        return true;
    }
    VolumeCounts counts;
    if (drive && drive->reportedCounts) {
        counts = *drive->reportedCounts;
    } else if (!ReadVolumeCounts(path, &counts)) {
        return false;
    }
    const std::optional<uint64_t> available = AvailableBytes(counts);
    if (!available) return false;
    *bytes = *available;
    return true;
}

bool DriveTable::UsedBytes(const std::string& path, uint64_t* bytes) const {
    return bytes && ReadUsedBytes(path, bytes);
}

char DriveTable::DriveOfPath(const std::string& path) const {
    // "//server/share/..." lies on no drive, though the root "/" is a text prefix of it.
    if (IsNetworkPath(path)) return 0;
    char best = 0;
    size_t bestLength = 0;
    for (const DriveInfo& drive : Drives()) {
        if (IsOnRoot(path, drive.root) && drive.root.size() > bestLength) {
            best = drive.letter;
            bestLength = drive.root.size();
        }
    }
    return best;
}

std::string DriveTable::RootOf(char letter) const {
    const DriveInfo* drive = Find(letter);
    return drive ? drive->root : std::string();
}

std::string DriveTable::DisplayName(const std::string& root) const {
    const DriveInfo* drive = FindByRoot(root);
    if (!drive) return std::string();
    const std::string name = drive->label.empty() ? TypeName(drive->type) : drive->label;
    return name + " (" + drive->letter + ":)";
}

std::string DriveTable::DrivesFilePath() const { return JoinPath(configDir_, "drives.tsv"); }

std::string DriveTable::LettersFilePath() const {
    return JoinPath(configDir_, "drive-letters.tsv");
}

std::string DriveTable::PinnedDrivesFilePath() const {
    return JoinPath(configDir_, kPinnedDrivesFileName);
}

// The media poll refreshes the table every few seconds: the file is written only when what it
// says has changed, so an idle machine's disk is left alone.
void DriveTable::WriteDrivesFile() const {
    const std::string text = FormatDrivesFile(Drives());
    std::string written;
    if (ReadWholeFile(DrivesFilePath(), &written) && written == text) return;
    EnsurePrivateFolder(configDir_);
    WriteFileAtomically(DrivesFilePath(), text);
}

std::string SerialFolderName(uint32_t serial) {
    char text[9];
    std::snprintf(text, sizeof text, "%x", static_cast<unsigned>(serial));
    return text;
}

}  // namespace tv
