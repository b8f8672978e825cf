// The automatic part of the drive table on Linux: the block-device volumes of the mount table,
// described from sysfs and /dev/disk, with the letters they had before.
#include "platform/drive_table.h"
#include "platform/file_system.h"
#include "platform/linux/drive_table_letters.h"
#include "platform/linux/drive_table_mounts.h"
#include "platform/linux/mountinfo.h"
#include "platform/linux/volume_device.h"
#include "platform/linux/volume_letter_memory.h"
#include "platform/linux/volume_probe.h"
#include "platform/locations.h"

namespace tv {

bool DriveTable::ReadAutomaticDrives(std::vector<DriveInfo>* drives) const {
    std::string text;
    if (!ReadWholeFile(mountinfoPath_, &text)) return false;
    *drives = AutomaticDrives(DriveMounts(ParseMountinfo(text)));
    return true;
}

std::vector<DriveInfo> DriveTable::AutomaticDrives(const std::vector<MountEntry>& mounts) const {
    const VolumeProbe probe(sysfsRoot_, devDiskRoot_, probeDevices_);
    std::vector<DriveInfo> volumes;
    std::vector<LetterRequest> requests;
    for (const MountEntry& mount : mounts) {
        LetterRequest request;
        volumes.push_back(probe.Describe(mount, &request.key));
        request.systemRoot = mount.mountPoint == "/";
        request.floppy = IsFloppyDeviceName(BlockDeviceName(mount.source));
        requests.push_back(std::move(request));
    }
    VolumeLetterMemory memory;
    memory.Load(LettersFilePath());
    const std::string remembered = memory.Format();
    const std::vector<char> letters = AssignDriveLetters(requests, PinnedLetters(), &memory);
    if (memory.Format() != remembered) {
        EnsurePrivateFolder(configDir_);
        memory.Save(LettersFilePath());
    }
    std::vector<DriveInfo> drives;
    for (size_t i = 0; i < volumes.size(); ++i) {
        if (letters[i] == 0) continue;
        volumes[i].letter = letters[i];
        drives.push_back(std::move(volumes[i]));
    }
    return drives;
}

}  // namespace tv
