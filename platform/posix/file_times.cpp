#include <fcntl.h>
#include <sys/stat.h>

#include "platform/file_system.h"
#include "platform/network_paths.h"
#include "platform/posix/file_system_internal.h"

namespace tv {

namespace {

bool SetTimesAt(const std::string& path, const FileTime& lastAccess, const FileTime& lastWrite,
                int flags) {
    if (!detail::IsValidTime(lastAccess) || !detail::IsValidTime(lastWrite)) return false;
    const struct timespec times[2] = {detail::ToTimespec(lastAccess),
                                      detail::ToTimespec(lastWrite)};
    return utimensat(AT_FDCWD, ToLocalPath(path).c_str(), times, flags) == 0;
}

}  // namespace

bool SetFileTimes(const std::string& path, const FileTime& lastAccess, const FileTime& lastWrite) {
    return SetTimesAt(path, lastAccess, lastWrite, 0);
}

bool SetEntryTimes(const std::string& path, const FileTime& lastAccess, const FileTime& lastWrite) {
    return SetTimesAt(path, lastAccess, lastWrite, AT_SYMLINK_NOFOLLOW);
}

}  // namespace tv
