// Listing a folder held open: it is opened for reading through its own handle, never by its
// path, so what is listed is that folder's even when its path has since been given to a link.
#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>

#include "platform/file_system.h"
#include "platform/file_system_fd.h"
#include "platform/file_system_internal.h"

namespace tv {

bool DirectoryEnumerator::OpenIn(const OpenFolder& folder, Entries entries) {
    Close();
    entries_ = entries;
    if (!folder.IsOpen()) return false;
    detail::UniqueFd fd(openat(folder.fd_, ".", O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    struct stat st {};
    if (!fd.valid() || fstat(fd.get(), &st) != 0) return false;
    DIR* dir = fdopendir(fd.get());
    if (dir == nullptr) return false;
    fd.Release();
    dir_ = dir;
    device_ = st.st_dev;
    onFat_ = detail::IsFatVolume(dirfd(dir), st.st_dev);
    return true;
}

}  // namespace tv
