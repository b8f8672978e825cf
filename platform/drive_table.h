// The 26 drive letters the program sees, as on Windows. Letters come from the mount table
// (automatic drives, remembered per volume so a medium returns under its letter) and from
// pinned drives (a letter mapped to any folder with a declared type, serial and label), which
// win. Tests use pinned-only mode so the host's disks never appear.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "platform/volume_space.h"
#include "platform/win_constants.h"

namespace tv {

struct MountEntry;

struct DriveInfo {
    char letter = 0;  // 'A'..'Z'
    int type = kDriveUnknown;
    std::string root;  // folder, always with a trailing separator
    bool hasSerial = false;
    uint32_t serial = 0;
    std::string label;
    std::string device;  // backing block device ("/dev/sdb1"), empty for pinned drives
    bool pinned = false;
    // Pinned drives may declare the free space they report (tests of a full destination).
    std::optional<uint64_t> freeBytes;
    // Or the block counts they report, as a volume of unknown size does.
    std::optional<VolumeCounts> reportedCounts;
};

class DriveTable {
  public:
    // configDir holds drives.tsv and the remembered letters of volumes.
    explicit DriveTable(std::string configDir);

    // Where the mount table is read from; tests point it at recorded samples.
    void SetMountinfoPath(std::string path);
    // Where the facts of block devices are read from (sysfs and the udev links under
    // /dev/disk); tests point them at recorded fake trees. Pointing the device links elsewhere
    // also stops the table from probing real devices.
    void SetSysfsRoot(std::string path);
    void SetDevDiskRoot(std::string path);
    void SetPinnedOnly(bool pinnedOnly);
    // A pin made here replaces any pin of its letter, one from pinned-drives.tsv included.
    void Pin(const DriveInfo& drive);
    void Unpin(char letter);

    // Reads the user's pinned drives from pinned-drives.tsv (start-up, or when the user asks for
    // a reload; Refresh does not read it). The pins the file gave before are replaced; pins made
    // with Pin() stay, and the file's line for a letter they hold is passed over. A missing file
    // declares no pins. A damaged file changes nothing: false, with *error holding one line
    // that names the file and the bad line. Call Refresh afterwards to move automatic drives off
    // letters the file newly pins.
    bool LoadPinnedDrives(std::string* error);

    // Re-reads the mount table, assigns letters, rewrites drives.tsv. Returns false when the
    // mount table could not be read (the pinned drives are still there).
    bool Refresh();

    const DriveInfo* Find(char letter) const;
    std::vector<DriveInfo> Drives() const;  // in letter order

    // GetLogicalDrives: bit 0 = A.
    uint32_t LogicalDrives() const;
    // GetLogicalDriveStrings: the roots in letter order.
    std::vector<std::string> LogicalDriveStrings() const;
    // GetDriveType of a root (or any path on a drive): kDriveNoRootDir when no drive has it.
    int DriveType(const std::string& root) const;
    // GetVolumeInformation: false when no drive has that root. A volume without a serial
    // reports serial 0 and hasSerial false.
    bool VolumeInformation(const std::string& root, uint32_t* serial, std::string* label,
                           bool* hasSerial = nullptr) const;
    // SetVolumeLabel: pinned drives keep the new label, and one declared in pinned-drives.tsv
    // has it written into its line there (false, label unchanged, when that fails); real volumes
    // through udisks2 when available, else false.
    bool SetVolumeLabel(const std::string& root, const std::string& label);
    // GetDiskFreeSpaceEx: bytes available to the caller on the volume holding path. False when
    // the volume cannot be asked or does not know its size: writing to it tells then.
    bool FreeBytesAvailable(const std::string& path, uint64_t* bytes) const;
    // The bytes in use on the volume holding path: its total size less all its free space.
    bool UsedBytes(const std::string& path, uint64_t* bytes) const;
    // The letter whose root is the longest prefix of path; 0 when none.
    char DriveOfPath(const std::string& path) const;
    // The root of a letter ("" when the letter is absent).
    std::string RootOf(char letter) const;
    // The shell's display name: "ラベル (E:)", or "ローカル ディスク (C:)",
    // "リムーバブル ディスク (E:)", "CD ドライブ (D:)" … when there is no label.
    std::string DisplayName(const std::string& root) const;

    std::string DrivesFilePath() const;  // <configDir>/drives.tsv
    // The letters remembered per volume: <configDir>/drive-letters.tsv
    std::string LettersFilePath() const;
    std::string PinnedDrivesFilePath() const;  // <configDir>/pinned-drives.tsv

  private:
    const DriveInfo* FindByRoot(const std::string& root) const;
    DriveInfo* FindMutable(char letter);
    // Best effort: the table stays usable when the config folder cannot be written.
    void WriteDrivesFile() const;
    uint32_t PinnedLetters() const;  // bit 0 = A
    void ReplaceFilePins(const std::vector<DriveInfo>& declared);
    // Keeps a new label of a pinned drive beyond this process where it has to be.
    bool PersistPinnedLabel(char letter, const std::string& label) const;
    // The drives of the mounts that can be drives, with their letters; remembers the letters.
    // The drives of the mounted volumes, with their letters; false when the mount table cannot
    // be read. The only part of the table that asks the system which volumes exist.
    bool ReadAutomaticDrives(std::vector<DriveInfo>* drives) const;
    std::vector<DriveInfo> AutomaticDrives(const std::vector<MountEntry>& mounts) const;
    std::string configDir_;
    std::string mountinfoPath_ = "/proc/self/mountinfo";
    std::string sysfsRoot_ = "/sys";
    std::string devDiskRoot_ = "/dev/disk";
    bool probeDevices_ = true;
    bool pinnedOnly_ = false;
    std::vector<DriveInfo> pinned_;
    uint32_t filePinnedLetters_ = 0;  // the pins that came from pinned-drives.tsv, bit 0 = A
    std::vector<DriveInfo> automatic_;
};

// The name of the folder that holds a whole drive's copy: its volume serial number in lower-case
// hexadecimal ("%x").
std::string SerialFolderName(uint32_t serial);

}  // namespace tv
