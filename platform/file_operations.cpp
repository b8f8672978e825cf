#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>

#include "platform/file_system.h"
#include "platform/file_system_internal.h"
#include "platform/linux/network_paths.h"

namespace tv {
namespace {

bool ReadLinkStatus(const std::string& path, detail::NodeStatus* status) {
    return detail::ReadNodeStatus(AT_FDCWD, path.c_str(), false, status);
}

// A read-only entry is neither deleted nor replaced, even by root.
bool IsProtected(const std::string& path) {
    if (!detail::HasReadOnlyAttribute(path, false)) return false;
    errno = EACCES;
    return true;
}

}  // namespace

bool CreateFolder(const std::string& path) { return mkdir(ToLocalPath(path).c_str(), 0777) == 0; }

bool DeleteFile(const std::string& path) {
    const std::string local = ToLocalPath(path);
    detail::NodeStatus status;
    if (!ReadLinkStatus(local, &status)) return false;
    if (S_ISDIR(status.mode)) {
        errno = EISDIR;
        return false;
    }
    return !IsProtected(local) && unlink(local.c_str()) == 0;
}

bool RemoveFolder(const std::string& path) {
    const std::string local = ToLocalPath(path);
    return !IsProtected(local) && rmdir(local.c_str()) == 0;
}

bool MoveFile(const std::string& source, const std::string& destination) {
    const std::string from = ToLocalPath(source);
    const std::string to = ToLocalPath(destination);
    detail::NodeStatus fromStatus;
    detail::NodeStatus toStatus;
    if (!ReadLinkStatus(from, &fromStatus)) return false;
    if (ReadLinkStatus(to, &toStatus)) {
        // Only a file replaces a file; folders are never merged or swapped.
        if (S_ISDIR(fromStatus.mode) || S_ISDIR(toStatus.mode)) {
            errno = EEXIST;
            return false;
        }
        if (IsProtected(to)) return false;
    }
    return rename(from.c_str(), to.c_str()) == 0;
}

}  // namespace tv
