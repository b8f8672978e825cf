// Symbolic links on Windows: reparse points that name their target. Making one needs the
// privilege to, or developer mode for the unprivileged flag; some systems (Wine among them)
// answer the call without making anything, so the link is looked at before it counts as made.
#include <algorithm>

#include "platform/file_system.h"
#include "platform/paths.h"
#include "platform/windows/wide_text.h"
#include "platform/windows/win32.h"

namespace tv {
namespace {

// A target is stored as Windows names it, with backslashes.
std::wstring WideTarget(const std::string& target) {
    std::wstring wide = detail::WideFromUtf8(target);
    std::replace(wide.begin(), wide.end(), L'/', L'\\');
    return wide;
}

// A link to a folder is marked as one; a relative target is named from the link's folder.
DWORD KindFlag(const std::string& target, const std::string& path) {
    const bool absolute = target.size() >= 2 && (target[1] == ':' || IsNetworkPath(target));
    const std::string seen = absolute ? target : JoinPath(ContainingFolder(path), target);
    return IsDirectory(seen) ? SYMBOLIC_LINK_FLAG_DIRECTORY : 0;
}

}  // namespace

bool CreateSymbolicLink(const std::string& target, const std::string& path,
                        const FileTime& lastAccess, const FileTime& lastWrite) {
    if (target.empty() || path.empty()) return false;
    const std::wstring wide = detail::WidePath(path);
    const DWORD flags = SYMBOLIC_LINK_FLAG_ALLOW_UNPRIVILEGED_CREATE | KindFlag(target, path);
    if (!CreateSymbolicLinkW(wide.c_str(), WideTarget(target).c_str(), flags)) return false;
    FileIdentity made;
    if (!GetEntryIdentity(path, &made) || !made.IsLink()) {
        SetLastError(ERROR_NOT_SUPPORTED);
        return false;
    }
    return SetEntryTimes(path, lastAccess, lastWrite);
}

}  // namespace tv
