// The real DOS attributes of vfat volumes, read and written through the FAT ioctls. These paths
// cannot run without a vfat mount, so they are kept small and apart from everything else.
#include <fcntl.h>
#include <linux/magic.h>
#include <linux/msdos_fs.h>
#include <sys/ioctl.h>
#include <sys/statfs.h>
#include <unistd.h>

#include "platform/posix/file_system_internal.h"
#include "platform/posix/unique_fd.h"
#include "platform/win_constants.h"

namespace tv::detail {
namespace {

// The bits the FAT attribute byte shares with Windows.
constexpr uint32_t kFatSettable = kAttrReadOnly | kAttrHidden | kAttrSystem | kAttrArchive;
constexpr uint32_t kFatReported = kFatSettable | kAttrDirectory;

}  // namespace

bool IsFatFileSystem(int fd) {
    struct statfs fs {};
    return fstatfs(fd, &fs) == 0 && fs.f_type == MSDOS_SUPER_MAGIC;
}

bool IsFatFileSystemAt(const std::string& path) {
    struct statfs fs {};
    return statfs(path.c_str(), &fs) == 0 && fs.f_type == MSDOS_SUPER_MAGIC;
}

bool ReadFatAttributes(int dirFd, const char* path, uint32_t* attributes) {
    const UniqueFd fd(openat(dirFd, path, O_RDONLY | O_CLOEXEC | O_NONBLOCK | O_NOFOLLOW));
    return fd.valid() && ReadFatAttributesOf(fd.get(), attributes);
}

bool ReadFatAttributesOf(int fd, uint32_t* attributes) {
    __u32 fat = 0;
    if (ioctl(fd, FAT_IOCTL_GET_ATTRIBUTES, &fat) != 0) return false;
    *attributes = fat & kFatReported;
    return true;
}

bool WriteFatAttributes(int fd, uint32_t attributes) {
    __u32 current = 0;
    if (ioctl(fd, FAT_IOCTL_GET_ATTRIBUTES, &current) != 0) return false;
    // The directory bit must stay as it is; the volume-label bit is never touched.
    __u32 wanted = (current & ~kFatSettable) | (attributes & kFatSettable);
    return ioctl(fd, FAT_IOCTL_SET_ATTRIBUTES, &wanted) == 0;
}

}  // namespace tv::detail
