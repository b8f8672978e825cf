// The look of a copy (owner, permissions, times, attributes), set through its open file.
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include "platform/file_system.h"
#include "platform/posix/file_system_internal.h"
#include "platform/win_constants.h"

namespace tv {
namespace {

constexpr mode_t kAllWriteBits = S_IWUSR | S_IWGRP | S_IWOTH;

}  // namespace

bool File::IsOnFat() const {
    return device_ != 0 ? detail::IsFatVolume(fd_, device_) : detail::IsFatFileSystem(fd_);
}

uint32_t File::Attributes(const FileIdentity& identity, const std::string& name) const {
    uint32_t fat = 0;
    if (fd_ >= 0 && IsOnFat() && detail::ReadFatAttributesOf(fd_, &fat)) {
        return fat == 0 ? kAttrNormal : fat;
    }
    return detail::AttributesFromMode(identity.mode, name);
}

bool File::SetOwner(uint32_t owner, uint32_t group) {
    if (fd_ < 0) return false;
    if (status_.known && status_.owner == owner && status_.group == group) return true;
    if (fchown(fd_, owner, group) != 0) return false;
    status_.owner = owner;
    status_.group = group;
    return true;
}

bool File::MayGiveFilesAway() { return geteuid() == 0; }

bool File::SetPermissions(uint32_t mode) {
    if (fd_ < 0) return false;
    return IsOnFat() || ChangeMode(mode & 0777);
}

bool File::ChangeMode(uint32_t bits) {
    if (status_.known && (status_.mode & 07777) == bits) return true;
    if (fchmod(fd_, bits) != 0) return false;
    status_.mode = (status_.mode & ~07777u) | bits;
    return true;
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
    if (!status_.known) {
        struct stat st {};
        if (fstat(fd_, &st) != 0) return false;
        Know(st.st_mode, st.st_uid, st.st_gid);
    }
    // As SetFileAttributes: read-only clears every write bit, clearing it gives write back to
    // the owner only.
    const bool readOnly = (attributes & kAttrReadOnly) != 0;
    const uint32_t wanted = readOnly ? (status_.mode & ~kAllWriteBits) : (status_.mode | S_IWUSR);
    return ChangeMode(wanted & 07777);
}

}  // namespace tv
