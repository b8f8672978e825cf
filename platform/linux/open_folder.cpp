#include <fcntl.h>
#include <sys/stat.h>

#include <cstdio>

#include "platform/file_system.h"
#include "platform/network_paths.h"
#include "platform/paths.h"
#include "platform/posix/file_system_internal.h"
#include "platform/posix/unique_fd.h"

namespace tv {
namespace {

// A handle that only names the folder: enough to work relative to it, and given even for a
// folder that may not be listed.
constexpr int kFolderFlags = O_PATH | O_DIRECTORY | O_CLOEXEC;

// Opens each level of below, relative to fd, without following a link at any of them.
detail::UniqueFd OpenLevelsNoFollow(detail::UniqueFd fd, const std::string& below) {
    size_t start = 0;
    while (fd.valid() && start < below.size()) {
        size_t end = below.find(kSeparator, start);
        if (end == std::string::npos) end = below.size();
        if (end > start) {
            const std::string level = below.substr(start, end - start);
            fd = detail::UniqueFd(openat(fd.get(), level.c_str(), kFolderFlags | O_NOFOLLOW));
        }
        start = end + 1;
    }
    return fd;
}

}  // namespace

OpenFolder::~OpenFolder() { Close(); }

void OpenFolder::Close() {
    if (fd_ >= 0) close(fd_);
    fd_ = -1;
    path_.clear();
    made_ = Made{};
}

bool OpenFolder::OpenBelow(const std::string& root, const std::string& folder) {
    Close();
    const std::string local = WithoutTrailingSeparators(ToLocalPath(folder));
    const std::string base = WithoutTrailingSeparators(ToLocalPath(root));
    const std::string prefix = WithTrailingSeparator(base);
    const bool insideRoot =
        local.size() > prefix.size() && local.compare(0, prefix.size(), prefix) == 0;
    detail::UniqueFd fd;
    if (local == base) {
        fd = detail::UniqueFd(open(local.c_str(), kFolderFlags));
    } else if (insideRoot) {
        fd = OpenLevelsNoFollow(detail::UniqueFd(open(base.c_str(), kFolderFlags)),
                                local.substr(prefix.size()));
    } else {
        fd = detail::UniqueFd(open(local.c_str(), kFolderFlags | O_NOFOLLOW));
    }
    if (!fd.valid()) return false;
    fd_ = fd.Release();
    path_ = folder;
    return true;
}

bool OpenFolder::Identity(FileIdentity* identity) const {
    struct stat st {};
    if (fd_ < 0 || fstat(fd_, &st) != 0) return false;
    *identity = detail::IdentityOf(st);
    return true;
}

bool OpenFolder::EntryIdentity(const std::string& name, FileIdentity* identity) const {
    struct stat st {};
    if (fd_ < 0 || fstatat(fd_, name.c_str(), &st, AT_SYMLINK_NOFOLLOW) != 0) return false;
    *identity = detail::IdentityOf(st);
    return true;
}

bool OpenFolder::EntryStatus(const std::string& name, FileStatus* status) const {
    detail::NodeStatus node;
    if (fd_ < 0 || !detail::ReadNodeStatus(fd_, name.c_str(), true, &node)) return false;
    const uint32_t attributes = detail::NodeAttributes(fd_, name.c_str(), name, node,
                                                       detail::IsFatVolume(fd_, node.device));
    *status = detail::MakeFileStatus(name, node, attributes);
    return true;
}

bool OpenFolder::Rename(const std::string& from, const std::string& to) const {
    return fd_ >= 0 && renameat(fd_, from.c_str(), fd_, to.c_str()) == 0;
}

bool OpenFolder::RemoveFile(const std::string& name) const {
    return fd_ >= 0 && unlinkat(fd_, name.c_str(), 0) == 0;
}

}  // namespace tv
