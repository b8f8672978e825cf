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
#include "platform/network_paths.h"
#include "platform/posix/file_system_internal.h"
#include "platform/posix/unique_fd.h"
#include "platform/win_constants.h"

namespace tv {
namespace {

// Read through a descriptor of its own (fdopendir), so that a child can be opened relative to
// it.
constexpr int kFolderFlags = O_RDONLY | O_DIRECTORY | O_NONBLOCK | O_CLOEXEC;

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
    return Adopt(open(ToLocalPath(folder).c_str(), kFolderFlags), nullptr, entries);
}

bool DirectoryEnumerator::OpenChild(const DirectoryEnumerator& parent, const std::string& name,
                                    const NodeIdentity& listed, Entries entries) {
    Close();
    if (!parent.IsOpen()) return false;
    return Adopt(openat(parent.Fd(), name.c_str(), kFolderFlags | O_NOFOLLOW), &listed, entries);
}

bool DirectoryEnumerator::OpenParent(const DirectoryEnumerator& child, const NodeIdentity& recorded,
                                     Entries entries) {
    Close();
    if (!child.IsOpen()) return false;
    return Adopt(openat(child.Fd(), "..", kFolderFlags | O_NOFOLLOW), &recorded, entries);
}

bool DirectoryEnumerator::OpenIn(const OpenFolder& folder, Entries entries) {
    Close();
    if (!folder.IsOpen()) return false;
    return Adopt(openat(folder.fd_, ".", kFolderFlags), nullptr, entries);
}

bool DirectoryEnumerator::Adopt(int fd, const NodeIdentity* expected, Entries entries) {
    detail::UniqueFd folder(fd);
    struct stat st {};
    if (!folder.valid() || fstat(folder.get(), &st) != 0) return false;
    const NodeIdentity identity{static_cast<uint64_t>(st.st_dev), static_cast<uint64_t>(st.st_ino)};
    if (expected != nullptr && identity != *expected) return false;
    DIR* dir = fdopendir(folder.get());
    if (dir == nullptr) return false;
    folder.Release();
    dir_ = dir;
    device_ = identity.device;
    inode_ = identity.inode;
    entries_ = entries;
    onFat_ = detail::IsFatVolume(dirfd(dir), st.st_dev);
    return true;
}

int DirectoryEnumerator::Fd() const { return dir_ != nullptr ? dirfd(AsDir(dir_)) : -1; }

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
