// Who a file is: device, node, type, owner and the times that tell a change.
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <memory>

#include "platform/file_system.h"
#include "platform/network_paths.h"
#include "platform/posix/file_system_internal.h"

namespace tv {
namespace {

FileTime FromTimespec(const struct timespec& t) {
    return FileTime{t.tv_sec, static_cast<int32_t>(t.tv_nsec)};
}

}  // namespace

FileIdentity detail::IdentityOf(const struct stat& st) {
    FileIdentity identity;
    identity.device = static_cast<uint64_t>(st.st_dev);
    identity.inode = static_cast<uint64_t>(st.st_ino);
    identity.mode = st.st_mode;
    identity.owner = st.st_uid;
    identity.group = st.st_gid;
    identity.size = static_cast<uint64_t>(st.st_size);
    identity.allocated = static_cast<uint64_t>(st.st_blocks) * 512;
    identity.lastAccess = FromTimespec(st.st_atim);
    identity.lastWrite = FromTimespec(st.st_mtim);
    identity.change = FromTimespec(st.st_ctim);
    return identity;
}

bool FileIdentity::IsRegularFile() const { return S_ISREG(mode); }

bool FileIdentity::IsFolder() const { return S_ISDIR(mode); }

bool FileIdentity::IsLink() const { return S_ISLNK(mode); }

bool FileIdentity::IsOwnerWritable() const { return (mode & S_IWUSR) != 0; }

bool FileIdentity::IsOwnedByThisUser() const { return owner == ::geteuid(); }

uint32_t FileIdentity::CopyPermissions() const { return mode | S_IWUSR; }

bool FileIdentity::IsSameFile(const FileIdentity& other) const {
    return device == other.device && inode == other.inode &&
           (mode & S_IFMT) == (other.mode & S_IFMT);
}

bool FileIdentity::IsUnchanged(const FileIdentity& later) const {
    return IsSameFile(later) && size == later.size && lastWrite == later.lastWrite &&
           change == later.change;
}

bool GetEntryIdentity(const std::string& path, FileIdentity* identity) {
    struct stat st {};
    if (path.empty() || lstat(ToLocalPath(path).c_str(), &st) != 0) return false;
    *identity = detail::IdentityOf(st);
    return true;
}

std::string ResolvedPath(const std::string& path) {
    std::unique_ptr<char, decltype(&std::free)> resolved(::realpath(path.c_str(), nullptr),
                                                         &std::free);
    return resolved ? std::string(resolved.get()) : path;
}

bool File::GetIdentity(FileIdentity* identity) const {
    struct stat st {};
    if (fd_ < 0 || fstat(fd_, &st) != 0) return false;
    *identity = detail::IdentityOf(st);
    return true;
}

}  // namespace tv
