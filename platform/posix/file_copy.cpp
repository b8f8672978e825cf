#include <fcntl.h>
#include <sys/stat.h>

#include <cerrno>
#include <vector>

#include "platform/file_system.h"
#include "platform/file_system_replacement.h"
#include "platform/network_paths.h"
#include "platform/posix/file_system_internal.h"

namespace tv {
namespace {

constexpr size_t kCopyBufferBytes = 1 << 20;

bool CopyContents(File& in, File& out) {
    std::vector<char> buffer(kCopyBufferBytes);
    for (;;) {
        const int64_t n = in.Read(buffer.data(), buffer.size());
        if (n < 0) return false;
        if (n > 0 && !out.Write(buffer.data(), static_cast<size_t>(n))) return false;
        if (static_cast<size_t>(n) < buffer.size()) return true;
    }
}

// An existing folder or read-only file in the destination's place is never replaced.
bool IsRefusedDestination(const std::string& destination) {
    detail::NodeStatus status;
    if (!detail::ReadNodeStatus(AT_FDCWD, destination.c_str(), false, &status)) return false;
    if (S_ISDIR(status.mode)) {
        errno = EISDIR;
        return true;
    }
    if (!detail::HasReadOnlyAttribute(destination, false)) return false;
    errno = EACCES;
    return true;
}

// The copy takes the source's permissions (set-id bits never) or, on vfat, its DOS attributes,
// then its times, which must come last so nothing touches them afterwards.
bool ApplySourceStatus(const std::string& copy, mode_t mode, const FileStatus& status) {
    if (detail::IsFatFileSystemAt(copy)) {
        if (!SetFileAttributes(copy, status.attributes)) return false;
    } else if (!detail::SetModeWherePossible(copy, mode & 0777)) {
        return false;
    }
    return SetFileTimes(copy, status.lastAccess, status.lastWrite);
}

}  // namespace

bool CopyFile(const std::string& sourcePath, const std::string& destinationPath) {
    const std::string source = ToLocalPath(sourcePath);
    const std::string destination = ToLocalPath(destinationPath);
    FileStatus status;
    detail::NodeStatus node;
    if (!GetFileStatus(source, &status) || status.IsDirectory()) return false;
    if (!detail::ReadNodeStatus(AT_FDCWD, source.c_str(), true, &node)) return false;
    if (IsRefusedDestination(destination)) return false;
    File in;
    if (!in.OpenForRead(source, false, true)) return false;
    detail::ReplacementFile out(destination);
    return out.Create() && CopyContents(in, out.file()) && out.Finish() &&
           ApplySourceStatus(out.temporaryPath(), node.mode, status) && out.Commit();
}

}  // namespace tv
