#include "cardprobe/file_attributes.h"

#include <fcntl.h>
#include <linux/magic.h>
#include <linux/msdos_fs.h>
#include <sys/ioctl.h>
#include <sys/stat.h>
#include <sys/vfs.h>

#include <cstdint>

#include "cardprobe/linux/unique_fd.h"

namespace tv::cardprobe {

namespace {

constexpr mode_t kWriteBits = S_IWUSR | S_IWGRP | S_IWOTH;

bool OnFat(int fd) {
    struct statfs volume;
    return ::fstatfs(fd, &volume) == 0 && volume.f_type == MSDOS_SUPER_MAGIC;
}

bool SetFatAttributes(int fd, uint32_t attributes) {
    return ::ioctl(fd, FAT_IOCTL_SET_ATTRIBUTES, &attributes) == 0;
}

bool SetWriteBits(int fd, bool writable) {
    struct stat status;
    if (::fstat(fd, &status) != 0) return false;
    const mode_t mode = status.st_mode & 07777;
    return ::fchmod(fd, writable ? (mode | S_IWUSR) : (mode & ~kWriteBits)) == 0;
}

}  // namespace

bool SetHiddenReadOnly(int fd) {
    if (OnFat(fd)) return SetFatAttributes(fd, ATTR_RO | ATTR_HIDDEN);
    return SetWriteBits(fd, false);
}

bool SetNormal(const std::string& path) {
    UniqueFd fd(::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_NOFOLLOW | O_CLOEXEC));
    struct stat status;
    if (!fd.valid() || ::fstat(fd.get(), &status) != 0 || !S_ISREG(status.st_mode)) return false;
    if (OnFat(fd.get())) return SetFatAttributes(fd.get(), ATTR_NONE);
    return SetWriteBits(fd.get(), true);
}

bool RefusesWriting(const std::string& path) {
    struct stat status;
    if (::lstat(path.c_str(), &status) != 0) return false;
    // FAT shows its read-only attribute as missing write bits too.
    return !S_ISREG(status.st_mode) || (status.st_mode & S_IWUSR) == 0;
}

}  // namespace tv::cardprobe
