// Status of one named path. A path named explicitly is looked at through a symbolic link, as
// opening it would; only the folder walk (DirectoryEnumerator) declines to follow links.
#include <fcntl.h>
#include <sys/stat.h>

#include "platform/file_system.h"
#include "platform/network_paths.h"
#include "platform/paths.h"
#include "platform/posix/file_system_internal.h"
#include "platform/win_constants.h"

namespace tv {

bool FileStatus::IsDirectory() const { return (attributes & kAttrDirectory) != 0; }

namespace detail {

std::string NameOfPath(const std::string& path) {
    const auto end = path.find_last_not_of(kSeparator);
    if (end == std::string::npos) return std::string();
    return AfterLastSeparator(path.substr(0, end + 1));
}

FileStatus MakeFileStatus(const std::string& name, const NodeStatus& status, uint32_t attributes) {
    FileStatus result;
    result.name = name;
    result.attributes = attributes;
    result.creation = status.creation;
    result.lastAccess = status.lastAccess;
    result.lastWrite = status.lastWrite;
    result.size = S_ISDIR(status.mode) ? 0 : status.size;
    result.kind = S_ISREG(status.mode)   ? EntryKind::File
                  : S_ISDIR(status.mode) ? EntryKind::Folder
                  : S_ISLNK(status.mode) ? EntryKind::Link
                                         : EntryKind::Special;
    result.node = NodeIdentity{status.device, status.inode};
    return result;
}

}  // namespace detail

bool GetFileStatus(const std::string& path, FileStatus* status) {
    const std::string local = ToLocalPath(path);
    detail::NodeStatus node;
    if (!detail::ReadNodeStatus(AT_FDCWD, local.c_str(), true, &node)) return false;
    const std::string name = detail::NameOfPath(path);
    const uint32_t attributes = detail::NodeAttributes(AT_FDCWD, local.c_str(), name, node,
                                                       detail::IsFatVolumeAt(local, node.device));
    *status = detail::MakeFileStatus(name, node, attributes);
    return true;
}

bool PathExists(const std::string& path) {
    struct stat st {};
    return !path.empty() && stat(ToLocalPath(path).c_str(), &st) == 0;
}

bool IsDirectory(const std::string& path) {
    struct stat st {};
    return !path.empty() && stat(ToLocalPath(path).c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

}  // namespace tv
