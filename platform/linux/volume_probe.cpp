#include "platform/linux/volume_probe.h"

#include "platform/linux/volume_serial.h"
#include "platform/paths.h"

namespace tv {
namespace {

bool IsOpticalFileSystem(const std::string& fsType) {
    return fsType == "iso9660" || fsType == "udf";
}

}  // namespace

VolumeProbe::VolumeProbe(std::string sysfsRoot, std::string devDiskRoot, bool probeRealDevices)
    : sysfs_(std::move(sysfsRoot)),
      links_(std::move(devDiskRoot), probeRealDevices),
      probeRealDevices_(probeRealDevices) {}

int VolumeProbe::TypeOf(const MountEntry& mount, const std::string& deviceName) const {
    if (IsNetworkFileSystem(mount.fsType)) return kDriveRemote;
    if (IsOpticalDeviceName(deviceName) || IsOpticalFileSystem(mount.fsType)) return kDriveCdRom;
    if (IsFloppyDeviceName(deviceName) || sysfs_.IsRemovable(deviceName)) return kDriveRemovable;
    return kDriveFixed;
}

void VolumeProbe::ReadSerial(const MountEntry& mount, const std::string& uuid,
                             DriveInfo* drive) const {
    // On vfat the boot sector's volume id is the serial; the UUID shows the same digits, so it
    // stands in when the volume cannot be asked.
    if (mount.fsType == "vfat" && probeRealDevices_ &&
        FatVolumeSerial(mount.mountPoint, &drive->serial)) {
        drive->hasSerial = true;
        return;
    }
    drive->hasSerial = SerialFromUuid(uuid, &drive->serial);
    if (!drive->hasSerial) drive->serial = 0;
}

DriveInfo VolumeProbe::Describe(const MountEntry& mount, std::string* key) const {
    const std::string deviceName = BlockDeviceName(mount.source);
    DriveInfo drive;
    drive.type = TypeOf(mount, deviceName);
    drive.root = WithTrailingSeparator(mount.mountPoint);
    drive.device = mount.source;
    const std::string uuid = links_.Uuid(deviceName);
    ReadSerial(mount, uuid, &drive);
    drive.label = links_.Label(deviceName);
    *key = !uuid.empty() ? uuid : drive.type == kDriveRemote ? mount.source : std::string();
    return drive;
}

}  // namespace tv
