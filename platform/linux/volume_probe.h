// What a mounted volume is as a drive: its type, serial number, label and device.
#pragma once

#include <string>

#include "platform/drive_table.h"
#include "platform/linux/mountinfo.h"
#include "platform/linux/volume_device.h"
#include "platform/linux/volume_links.h"

namespace tv {

class VolumeProbe {
  public:
    // probeRealDevices: also ask the devices themselves (FAT volume id, libblkid); off when the
    // roots point at recorded fake trees.
    VolumeProbe(std::string sysfsRoot, std::string devDiskRoot, bool probeRealDevices);

    // The drive of a mount, without its letter. key receives what identifies the volume from
    // one mount to the next (its UUID, or the source of a network mount); empty when nothing
    // does.
    DriveInfo Describe(const MountEntry& mount, std::string* key) const;

  private:
    int TypeOf(const MountEntry& mount, const std::string& deviceName) const;
    void ReadSerial(const MountEntry& mount, const std::string& uuid, DriveInfo* drive) const;

    SysfsBlockDevices sysfs_;
    VolumeLinks links_;
    bool probeRealDevices_;
};

}  // namespace tv
