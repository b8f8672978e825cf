#include <fcntl.h>
#include <unistd.h>

#include "platform/file_system.h"
#include "platform/file_system_fd.h"

namespace tv {

bool SyncFileSystemOf(const std::string& path) {
    // Non-blocking, so that a path that names a pipe cannot hold the caller at the open.
    const detail::UniqueFd fd(open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK));
    return fd.valid() && syncfs(fd.get()) == 0;
}

}  // namespace tv
