// What the kernel tells about the block device behind a mount: its name, and from sysfs whether
// it is a removable medium or hangs off a USB bus.
#pragma once

#include <string>

namespace tv {

// The kernel name of the device a mount source names ("/dev/sdb1" -> "sdb1"; a link such as
// /dev/mapper/x is followed to its target). Empty when the source is not under /dev.
std::string BlockDeviceName(const std::string& source);

bool IsFloppyDeviceName(const std::string& name);   // fd0, fd1 …
bool IsOpticalDeviceName(const std::string& name);  // sr0, sr1 …

class SysfsBlockDevices {
  public:
    explicit SysfsBlockDevices(std::string sysfsRoot);

    // True when the disk (or the disk a partition lies on) says removable = 1, or when its
    // device path runs through a USB bus: USB hard disks and sticks report removable 0.
    bool IsRemovable(const std::string& name) const;

  private:
    std::string DevicePath(const std::string& name) const;
    std::string sysfsRoot_;
};

}  // namespace tv
