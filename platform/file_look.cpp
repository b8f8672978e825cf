// The look of a copy (owner, permissions, times, attributes), set through its open file.
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include "platform/file_system.h"
#include "platform/file_system_internal.h"
#include "platform/win_constants.h"

namespace tv {
namespace {

constexpr mode_t kAllWriteBits = S_IWUSR | S_IWGRP | S_IWOTH;

}  // namespace

bool File::IsOnFat() const {
    return device_ != 0 ? detail::IsFatVolume(fd_, device_) : detail::IsFatFileSystem(fd_);
}

bool File::SetOwner(uint32_t owner, uint32_t group) {
    return fd_ >= 0 && fchown(fd_, owner, group) == 0;
}

bool File::SetPermissions(uint32_t mode) {
    if (fd_ < 0) return false;
    return IsOnFat() || fchmod(fd_, mode & 0777) == 0;
}

bool File::SetTimes(const FileTime& lastAccess, const FileTime& lastWrite) {
    // The kernel reads a few out-of-range nanosecond values as "now" or "leave alone".
    if (fd_ < 0 || !detail::IsValidTime(lastAccess) || !detail::IsValidTime(lastWrite))
        return false;
    const struct timespec times[2] = {detail::ToTimespec(lastAccess),
                                      detail::ToTimespec(lastWrite)};
    return futimens(fd_, times) == 0;
}

bool File::SetAttributes(uint32_t attributes) {
    if (fd_ < 0) return false;
    if (IsOnFat()) return detail::WriteFatAttributes(fd_, attributes);
    struct stat st {};
    if (fstat(fd_, &st) != 0) return false;
    // As SetFileAttributes: read-only clears every write bit, clearing it gives write back to
    // the owner only.
    const bool readOnly = (attributes & kAttrReadOnly) != 0;
    const mode_t wanted = readOnly ? (st.st_mode & ~kAllWriteBits) : (st.st_mode | S_IWUSR);
    return wanted == st.st_mode || fchmod(fd_, wanted & 07777) == 0;
}

}  // namespace tv
