#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>

#include "platform/file_system.h"
#include "platform/network_paths.h"
#include "platform/posix/file_system_internal.h"
#include "platform/posix/unique_fd.h"

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

bool CreateFolderLike(const std::string& path, const std::string& model) {
    if (!CreateFolder(path)) return false;
    FileIdentity like;
    const detail::UniqueFd folder(
        open(ToLocalPath(path).c_str(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC));
    if (!GetEntryIdentity(model, &like) || !S_ISDIR(like.mode) || !folder.valid() ||
        detail::IsFatFileSystem(folder.get())) {
        return true;
    }
    // A folder root cannot give away stays root's; its permission bits still follow the model.
    if (geteuid() == 0) (void)!fchown(folder.get(), like.owner, like.group);
    (void)!fchmod(folder.get(), (like.mode & 07777) | S_IRWXU);
    return true;
}

bool ReadLinkTarget(const std::string& path, std::string* target) {
    const std::string local = ToLocalPath(path);
    std::string buffer(256, '\0');
    for (;;) {
        const ssize_t length = readlink(local.c_str(), buffer.data(), buffer.size());
        if (length < 0) return false;
        if (static_cast<size_t>(length) < buffer.size()) {
            target->assign(buffer.data(), static_cast<size_t>(length));
            return true;
        }
        // The target may have been cut: read again with room to spare.
        if (buffer.size() > (1u << 20)) return false;
        buffer.resize(buffer.size() * 2);
    }
}

bool CreateSymbolicLink(const std::string& target, const std::string& path,
                        const FileTime& lastAccess, const FileTime& lastWrite) {
    const std::string local = ToLocalPath(path);
    if (symlink(target.c_str(), local.c_str()) != 0) return false;
    if (detail::IsValidTime(lastAccess) && detail::IsValidTime(lastWrite)) {
        const struct timespec times[2] = {detail::ToTimespec(lastAccess),
                                          detail::ToTimespec(lastWrite)};
        utimensat(AT_FDCWD, local.c_str(), times, AT_SYMLINK_NOFOLLOW);
    }
    return true;
}

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

bool MoveFileIfFree(const std::string& source, const std::string& destination) {
    return detail::RenameIfFree(AT_FDCWD, ToLocalPath(source).c_str(), AT_FDCWD,
                                ToLocalPath(destination).c_str());
}

bool detail::RenameIfFree(int fromDir, const char* from, int toDir, const char* to) {
    if (renameat2(fromDir, from, toDir, to, RENAME_NOREPLACE) == 0) return true;
    // A file system that cannot rename without replacing (some network shares) is asked first.
    if (errno != EINVAL && errno != ENOSYS && errno != EOPNOTSUPP) return false;
    detail::NodeStatus status;
    if (detail::ReadNodeStatus(toDir, to, false, &status)) {
        errno = EEXIST;
        return false;
    }
    return renameat(fromDir, from, toDir, to) == 0;
}

}  // namespace tv
