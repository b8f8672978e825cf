#include <fcntl.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>

#include <cerrno>

#include "platform/posix/file_system_internal.h"

namespace tv::detail {
namespace {

FileTime FromStatxTime(const struct statx_timestamp& t) {
    return FileTime{t.tv_sec, static_cast<int32_t>(t.tv_nsec)};
}

FileTime FromTimespec(const struct timespec& t) {
    return FileTime{t.tv_sec, static_cast<int32_t>(t.tv_nsec)};
}

// Older kernels have no statx; plain stat gives everything but the birth time and the
// mount-root flag, which the caller then derives from device numbers alone.
bool ReadWithStat(int dirFd, const char* path, bool followLinks, NodeStatus* status) {
    struct stat st {};
    if (fstatat(dirFd, path, &st, followLinks ? 0 : AT_SYMLINK_NOFOLLOW) != 0) return false;
    status->mode = st.st_mode;
    status->size = static_cast<uint64_t>(st.st_size);
    status->creation = FromTimespec(st.st_ctim);
    status->lastAccess = FromTimespec(st.st_atim);
    status->lastWrite = FromTimespec(st.st_mtim);
    status->device = st.st_dev;
    status->inode = st.st_ino;
    status->mountRoot = false;
    return true;
}

}  // namespace

bool ReadNodeStatus(int dirFd, const char* path, bool followLinks, NodeStatus* status) {
    struct statx sx {};
    const int flags = AT_STATX_SYNC_AS_STAT | (followLinks ? 0 : AT_SYMLINK_NOFOLLOW);
    if (statx(dirFd, path, flags, STATX_BASIC_STATS | STATX_BTIME, &sx) != 0) {
        return errno == ENOSYS && ReadWithStat(dirFd, path, followLinks, status);
    }
    status->mode = sx.stx_mode;
    status->size = sx.stx_size;
    status->creation = FromStatxTime((sx.stx_mask & STATX_BTIME) ? sx.stx_btime : sx.stx_ctime);
    status->lastAccess = FromStatxTime(sx.stx_atime);
    status->lastWrite = FromStatxTime(sx.stx_mtime);
    status->device = makedev(sx.stx_dev_major, sx.stx_dev_minor);
    status->inode = sx.stx_ino;
    status->mountRoot = (sx.stx_attributes_mask & STATX_ATTR_MOUNT_ROOT) &&
                        (sx.stx_attributes & STATX_ATTR_MOUNT_ROOT);
    return true;
}

}  // namespace tv::detail
