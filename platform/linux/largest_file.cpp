// FAT is told by the kernel's vfat and msdos file systems, and by FAT served through FUSE, which
// the file-system type shows only as FUSE: the mount table names its driver.
#include "platform/largest_file.h"

#include <fcntl.h>
#include <linux/magic.h>
#include <sys/stat.h>
#include <sys/statfs.h>
#include <sys/sysmacros.h>

#include "platform/file_system.h"
#include "platform/linux/mountinfo.h"
#include "platform/network_paths.h"
#include "platform/posix/unique_fd.h"

namespace tv {

namespace {

constexpr const char* kMountTable = "/proc/self/mountinfo";
constexpr const char* kFuseFatType = "fuse.fusefat";

bool IsFuseFatMount(dev_t device) {
    std::string table;
    if (!ReadWholeFile(kMountTable, &table)) return false;
    return FileSystemTypeOfDevice(ParseMountinfo(table), major(device), minor(device)) ==
           kFuseFatType;
}

}  // namespace

std::optional<uint64_t> LargestFileIn(const std::string& folder) {
    // The two questions go to one opened folder, so both concern the same file system.
    const detail::UniqueFd fd(open(ToLocalPath(folder).c_str(), O_PATH | O_DIRECTORY | O_CLOEXEC));
    struct statfs volume {};
    if (!fd.valid() || fstatfs(fd.get(), &volume) != 0) return std::nullopt;
    if (volume.f_type == MSDOS_SUPER_MAGIC) return kLargestFatFile;
    if (volume.f_type != FUSE_SUPER_MAGIC) return std::nullopt;
    struct stat status {};
    if (fstat(fd.get(), &status) != 0 || !IsFuseFatMount(status.st_dev)) return std::nullopt;
    return kLargestFatFile;
}

}  // namespace tv
