// The folder walk reports folders and regular files only. Symbolic links are not reported at
// all (a linked folder could lead back up the tree or onto another volume, and a linked file is
// backed up where it really lives), nor are entries that are the root of another mount, so a
// walk of a drive stays on that drive as on Windows. Pipes, sockets and devices are skipped:
// they hold no data to copy, and opening a pipe could block the walk.
#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>

#include <cstring>

#include "platform/file_system.h"
#include "platform/file_system_internal.h"
#include "platform/linux/network_paths.h"

namespace tv {
namespace {

DIR* AsDir(void* handle) { return static_cast<DIR*>(handle); }

bool IsDotEntry(const char* name) { return strcmp(name, ".") == 0 || strcmp(name, "..") == 0; }

bool IsWalkable(const detail::NodeStatus& entry, uint64_t folderDevice) {
    if (!S_ISDIR(entry.mode) && !S_ISREG(entry.mode)) return false;
    return !entry.mountRoot && entry.device == folderDevice;
}

}  // namespace

DirectoryEnumerator::~DirectoryEnumerator() { Close(); }

bool DirectoryEnumerator::Open(const std::string& folder) {
    Close();
    DIR* dir = opendir(ToLocalPath(folder).c_str());
    if (dir == nullptr) return false;
    struct stat st {};
    if (fstat(dirfd(dir), &st) != 0) {
        closedir(dir);
        return false;
    }
    dir_ = dir;
    device_ = st.st_dev;
    onFat_ = detail::IsFatFileSystem(dirfd(dir));
    return true;
}

bool DirectoryEnumerator::Next(FileStatus* entry) {
    if (dir_ == nullptr) return false;
    const int fd = dirfd(AsDir(dir_));
    while (const struct dirent* item = readdir(AsDir(dir_))) {
        if (IsDotEntry(item->d_name)) continue;
        detail::NodeStatus node;
        // An entry that vanished since readdir saw it is simply not reported.
        if (!detail::ReadNodeStatus(fd, item->d_name, false, &node)) continue;
        if (!IsWalkable(node, device_)) continue;
        const std::string name = item->d_name;
        const uint32_t attributes = detail::NodeAttributes(fd, item->d_name, name, node, onFat_);
        *entry = detail::MakeFileStatus(name, node, attributes);
        return true;
    }
    return false;
}

void DirectoryEnumerator::Close() {
    if (dir_ != nullptr) closedir(AsDir(dir_));
    dir_ = nullptr;
}

}  // namespace tv
