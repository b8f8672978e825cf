#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include "platform/file_system.h"
#include "platform/network_paths.h"
#include "platform/posix/unique_fd.h"

namespace tv {

bool SyncFileSystemOf(const std::string& path) {
    // Non-blocking, so that a path that names a pipe cannot hold the caller at the open.
    const detail::UniqueFd fd(open(ToLocalPath(path).c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK));
    return fd.valid() && syncfs(fd.get()) == 0;
}

bool SyncFolder(const std::string& folder) {
    const detail::UniqueFd fd(
        open(ToLocalPath(folder).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    return fd.valid() && fsync(fd.get()) == 0;
}

bool FileSystemOf(const std::string& path, uint64_t* fileSystem) {
    struct stat st {};
    if (stat(ToLocalPath(path).c_str(), &st) != 0) return false;
    *fileSystem = static_cast<uint64_t>(st.st_dev);
    return true;
}

}  // namespace tv
