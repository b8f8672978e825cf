// The folder walk reports folders and regular files only, unless asked for every entry.
// Symbolic links are not reported (a linked folder could lead back up the tree or onto another
// volume), nor are entries that are the root of another mount, so a walk of a drive stays on
// that drive as on Windows. Pipes, sockets and devices are skipped: they hold no data to copy,
// and opening a pipe could block the walk. Asked for every entry, it reports each of these with
// its kind, and an entry whose status cannot be read as unreadable, so that a caller can say
// what it passed over.
#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>

#include <cerrno>
#include <cstring>

#include "platform/file_system.h"
#include "platform/file_system_internal.h"
#include "platform/linux/network_paths.h"
#include "platform/win_constants.h"

namespace tv {
namespace {

DIR* AsDir(void* handle) { return static_cast<DIR*>(handle); }

bool IsDotEntry(const char* name) { return strcmp(name, ".") == 0 || strcmp(name, "..") == 0; }

bool IsOtherMount(const detail::NodeStatus& entry, uint64_t folderDevice) {
    return entry.mountRoot || entry.device != folderDevice;
}

bool IsWalkable(const detail::NodeStatus& entry, uint64_t folderDevice) {
    if (!S_ISDIR(entry.mode) && !S_ISREG(entry.mode)) return false;
    return !IsOtherMount(entry, folderDevice);
}

FileStatus UnreadableEntry(const std::string& name) {
    FileStatus entry;
    entry.name = name;
    entry.kind = EntryKind::Unreadable;
    return entry;
}

}  // namespace

DirectoryEnumerator::~DirectoryEnumerator() { Close(); }

bool DirectoryEnumerator::Open(const std::string& folder, Entries entries) {
    Close();
    entries_ = entries;
    DIR* dir = opendir(ToLocalPath(folder).c_str());
    if (dir == nullptr) return false;
    struct stat st {};
    if (fstat(dirfd(dir), &st) != 0) {
        closedir(dir);
        return false;
    }
    dir_ = dir;
    device_ = st.st_dev;
    onFat_ = detail::IsFatVolume(dirfd(dir), st.st_dev);
    return true;
}

bool DirectoryEnumerator::Next(FileStatus* entry) {
    if (dir_ == nullptr) return false;
    const int fd = dirfd(AsDir(dir_));
    while (const struct dirent* item = readdir(AsDir(dir_))) {
        if (IsDotEntry(item->d_name)) continue;
        const std::string name = item->d_name;
        if (entries_ == Entries::Names) {
            *entry = FileStatus{};
            entry->name = name;
            return true;
        }
        detail::NodeStatus node;
        if (!detail::ReadNodeStatus(fd, item->d_name, false, &node)) {
            // An entry that vanished since readdir saw it is simply not reported.
            if (entries_ == Entries::Walkable || errno == ENOENT) continue;
            *entry = UnreadableEntry(name);
            return true;
        }
        if (entries_ == Entries::Walkable && !IsWalkable(node, device_)) continue;
        const bool link = S_ISLNK(node.mode);
        const uint32_t attributes =
            link ? kAttrNormal : detail::NodeAttributes(fd, item->d_name, name, node, onFat_);
        *entry = detail::MakeFileStatus(name, node, attributes);
        if (!link && IsOtherMount(node, device_)) entry->kind = EntryKind::OtherMount;
        return true;
    }
    return false;
}

void DirectoryEnumerator::Close() {
    if (dir_ != nullptr) closedir(AsDir(dir_));
    dir_ = nullptr;
}

}  // namespace tv
