#include "platform/linux/volume_device.h"

#include <sys/stat.h>

#include <algorithm>
#include <cstdlib>
#include <fstream>
#include <memory>

#include "platform/paths.h"

namespace tv {
namespace {

bool StartsWithNameAndDigit(const std::string& name, const std::string& prefix) {
    return name.size() > prefix.size() && name.compare(0, prefix.size(), prefix) == 0 &&
           name[prefix.size()] >= '0' && name[prefix.size()] <= '9';
}

bool IsSymbolicLink(const std::string& path) {
    struct stat status {};
    return ::lstat(path.c_str(), &status) == 0 && S_ISLNK(status.st_mode);
}

std::string RealPath(const std::string& path) {
    std::unique_ptr<char, decltype(&std::free)> resolved(::realpath(path.c_str(), nullptr),
                                                         &std::free);
    return resolved ? std::string(resolved.get()) : std::string();
}

// sysfs attribute files hold one short line.
bool AttributeIsOne(const std::string& path) {
    std::ifstream in(path);
    char first = 0;
    return in.get(first) && first == '1';
}

// A component such as "usb1" in a device path means the device sits behind a USB host.
bool PathRunsThroughUsb(const std::string& path) {
    size_t pos = 0;
    while (pos < path.size()) {
        const size_t end = std::min(path.find(kSeparator, pos), path.size());
        if (StartsWithNameAndDigit(path.substr(pos, end - pos), "usb")) return true;
        pos = end + 1;
    }
    return false;
}

}  // namespace

std::string BlockDeviceName(const std::string& source) {
    if (source.compare(0, 5, "/dev/") != 0) return std::string();
    const std::string target = IsSymbolicLink(source) ? RealPath(source) : source;
    return AfterLastSeparator(target.empty() ? source : target);
}

bool IsFloppyDeviceName(const std::string& name) { return StartsWithNameAndDigit(name, "fd"); }

bool IsOpticalDeviceName(const std::string& name) { return StartsWithNameAndDigit(name, "sr"); }

SysfsBlockDevices::SysfsBlockDevices(std::string sysfsRoot) : sysfsRoot_(std::move(sysfsRoot)) {}

std::string SysfsBlockDevices::DevicePath(const std::string& name) const {
    // The name comes from the mount table's source; it must stay one entry of class/block.
    if (!IsPlainComponent(name)) return std::string();
    return RealPath(JoinPath(sysfsRoot_, "class/block/" + name));
}

bool SysfsBlockDevices::IsRemovable(const std::string& name) const {
    const std::string device = DevicePath(name);
    if (device.empty()) return false;
    // A partition's folder lies inside the folder of its disk, which holds the attribute.
    const bool isPartition = std::ifstream(JoinPath(device, "partition")).good();
    const std::string disk = isPartition ? BeforeLastSeparator(device) : device;
    // Only the part below the sysfs root is the device's own path.
    const std::string root = RealPath(sysfsRoot_);
    const std::string ownPath =
        device.compare(0, root.size(), root) == 0 ? device.substr(root.size()) : device;
    return AttributeIsOne(JoinPath(disk, "removable")) || PathRunsThroughUsb(ownPath);
}

}  // namespace tv
