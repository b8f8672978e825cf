#include <fcntl.h>
#include <sys/stat.h>

#include "platform/file_system.h"
#include "platform/file_system_internal.h"
#include "platform/linux/network_paths.h"

namespace tv {

bool SetFileTimes(const std::string& path, const FileTime& lastAccess, const FileTime& lastWrite) {
    if (!detail::IsValidTime(lastAccess) || !detail::IsValidTime(lastWrite)) return false;
    const struct timespec times[2] = {detail::ToTimespec(lastAccess),
                                      detail::ToTimespec(lastWrite)};
    return utimensat(AT_FDCWD, ToLocalPath(path).c_str(), times, 0) == 0;
}

}  // namespace tv
