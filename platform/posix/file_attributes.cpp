#include <fcntl.h>
#include <sys/stat.h>

#include <cerrno>

#include "platform/file_system.h"
#include "platform/network_paths.h"
#include "platform/posix/file_system_internal.h"
#include "platform/posix/unique_fd.h"
#include "platform/win_constants.h"

namespace tv {
namespace detail {
namespace {

constexpr mode_t kAllWriteBits = S_IWUSR | S_IWGRP | S_IWOTH;

bool IsHiddenName(const std::string& name) {
    return !name.empty() && name[0] == '.' && name != "." && name != "..";
}

// Windows reports "normal" for a file that has no other attribute at all.
uint32_t WithNormalWhenBare(uint32_t attributes) {
    return attributes == 0 ? kAttrNormal : attributes;
}

// Read-only toggles the write bits. Clearing it gives write back to the owner only: a file
// must never become writable by others because its read-only attribute was cleared.
bool ApplyReadOnlyToMode(const std::string& path, mode_t mode, bool readOnly) {
    const mode_t wanted = readOnly ? (mode & ~kAllWriteBits) : (mode | S_IWUSR);
    if (wanted == mode) return true;
    return chmod(path.c_str(), wanted & 07777) == 0;
}

bool ApplyFatAttributes(const std::string& path, uint32_t attributes) {
    const UniqueFd fd(open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK));
    return fd.valid() && WriteFatAttributes(fd.get(), attributes);
}

}  // namespace

bool SetModeWherePossible(const std::string& path, mode_t mode) {
    if (IsFatFileSystemAt(path) || chmod(path.c_str(), mode) == 0) return true;
    return errno == EOPNOTSUPP;
}

uint32_t AttributesFromMode(mode_t mode, const std::string& name) {
    uint32_t attributes = 0;
    if ((mode & S_IWUSR) == 0) attributes |= kAttrReadOnly;
    if (IsHiddenName(name)) attributes |= kAttrHidden;
    if (S_ISDIR(mode)) attributes |= kAttrDirectory;
    return WithNormalWhenBare(attributes);
}

uint32_t NodeAttributes(int dirFd, const char* path, const std::string& name,
                        const NodeStatus& status, bool onFat) {
    uint32_t fat = 0;
    if (onFat && ReadFatAttributes(dirFd, path, &fat)) return WithNormalWhenBare(fat);
    return AttributesFromMode(status.mode, name);
}

bool HasReadOnlyAttribute(const std::string& path, bool followLinks) {
    NodeStatus status;
    if (!ReadNodeStatus(AT_FDCWD, path.c_str(), followLinks, &status)) return false;
    if (S_ISLNK(status.mode)) return false;
    const bool onFat = IsFatVolumeAt(path, status.device);
    const uint32_t attributes =
        NodeAttributes(AT_FDCWD, path.c_str(), NameOfPath(path), status, onFat);
    return (attributes & kAttrReadOnly) != 0;
}

}  // namespace detail

uint32_t GetFileAttributes(const std::string& path) {
    const std::string local = ToLocalPath(path);
    detail::NodeStatus status;
    if (!detail::ReadNodeStatus(AT_FDCWD, local.c_str(), true, &status)) return kInvalidAttributes;
    return detail::NodeAttributes(AT_FDCWD, local.c_str(), detail::NameOfPath(path), status,
                                  detail::IsFatVolumeAt(local, status.device));
}

bool SetFileAttributes(const std::string& path, uint32_t attributes) {
    const std::string local = ToLocalPath(path);
    detail::NodeStatus status;
    if (!detail::ReadNodeStatus(AT_FDCWD, local.c_str(), true, &status)) return false;
    if (detail::IsFatVolumeAt(local, status.device)) {
        return detail::ApplyFatAttributes(local, attributes);
    }
    return detail::ApplyReadOnlyToMode(local, status.mode, (attributes & kAttrReadOnly) != 0);
}

}  // namespace tv
