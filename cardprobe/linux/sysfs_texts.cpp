#include "cardprobe/linux/sysfs_texts.h"

#include <sys/stat.h>

#include <climits>
#include <cstdlib>

#include "cardprobe/small_file.h"

namespace tv::cardprobe {

namespace {

// sysfs attribute files are small; more than this is not an id text.
constexpr std::size_t kMaxAttributeRead = 256;

// The kernel's name of a block device: the last part of its path, after following a link
// such as /dev/disk/by-label/… to the device node itself.
std::string KernelName(const std::string& device) {
    std::string path = device;
    char resolved[PATH_MAX];
    if (::realpath(device.c_str(), resolved) != nullptr) path = resolved;
    const std::size_t slash = path.rfind('/');
    std::string name = slash == std::string::npos ? path : path.substr(slash + 1);
    if (name == "." || name == "..") name.clear();
    return name;
}

bool Exists(const std::string& path) {
    struct stat status;
    return ::stat(path.c_str(), &status) == 0;
}

// The sysfs folder of the whole disk: a partition's folder sits inside its disk's folder.
std::string DiskFolder(const std::string& sysfsRoot, const std::string& name) {
    const std::string folder = sysfsRoot + "/class/block/" + name;
    if (Exists(folder + "/partition")) return folder + "/..";
    return folder;
}

// The attribute's text up to its line end or a NUL, cut to what the record holds.
std::string ReadIdText(const std::string& path) {
    std::string text;
    if (!ReadFilePrefix(path, kMaxAttributeRead, &text)) return std::string();
    const std::size_t end = text.find_first_of(std::string("\n\0", 2));
    if (end != std::string::npos) text.resize(end);
    if (text.size() > kMaxStorageText) text.resize(kMaxStorageText);
    return text;
}

}  // namespace

StorageTexts ReadStorageTexts(const std::string& sysfsRoot, const std::string& device) {
    StorageTexts texts;
    if (device.empty()) return texts;
    const std::string name = KernelName(device);
    if (name.empty()) return texts;
    const std::string disk = DiskFolder(sysfsRoot, name);
    texts.vendor = ReadIdText(disk + "/device/vendor");
    texts.product = ReadIdText(disk + "/device/model");
    return texts;
}

}  // namespace tv::cardprobe
