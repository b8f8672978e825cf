// Symbolic links on Windows: reparse points that name their target. Making one needs the
// privilege to, or developer mode for the unprivileged flag; some systems (Wine among them)
// answer the call without making anything, so the link is looked at before it counts as made.
#include <winternl.h>

#include <algorithm>
#include <cstring>
#include <vector>

#include "platform/file_system.h"
#include "platform/paths.h"
#include "platform/windows/file_handle.h"
#include "platform/windows/wide_text.h"

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

// The start of a symbolic link's reparse data: the tag's header, then where its names lie in the
// path buffer that follows the flags.
struct SymbolicLinkData {
    ULONG tag;
    USHORT dataLength;
    USHORT reserved;
    USHORT substituteOffset;
    USHORT substituteLength;
    USHORT printOffset;
    USHORT printLength;
    ULONG flags;
};

// The name the link was made with (its print name), or the one the system follows when it has
// none, without the object manager's \??\ prefix.
std::wstring TargetOf(const SymbolicLinkData& link, const wchar_t* names) {
    const bool printed = link.printLength != 0;
    const USHORT offset = printed ? link.printOffset : link.substituteOffset;
    const USHORT length = printed ? link.printLength : link.substituteLength;
    std::wstring target(names + offset / sizeof(wchar_t), length / sizeof(wchar_t));
    const std::wstring objectPrefix = L"\\??\\";
    if (target.compare(0, objectPrefix.size(), objectPrefix) == 0) {
        target.erase(0, objectPrefix.size());
    }
    return target;
}

}  // namespace

bool ReadLinkTarget(const std::string& path, std::string* target) {
    const detail::UniqueHandle link = detail::OpenForAttributes(path, FILE_READ_ATTRIBUTES, false);
    std::vector<LONGLONG> buffer(MAXIMUM_REPARSE_DATA_BUFFER_SIZE / sizeof(LONGLONG));
    DWORD bytes = 0;
    if (!link.valid() ||
        !DeviceIoControl(link.get(), FSCTL_GET_REPARSE_POINT, nullptr, 0, buffer.data(),
                         MAXIMUM_REPARSE_DATA_BUFFER_SIZE, &bytes, nullptr)) {
        return false;
    }
    SymbolicLinkData data{};
    if (bytes < sizeof data) return false;
    memcpy(&data, buffer.data(), sizeof data);
    if (data.tag != IO_REPARSE_TAG_SYMLINK) return false;
    const auto* names = reinterpret_cast<const wchar_t*>(
        reinterpret_cast<const char*>(buffer.data()) + sizeof data);
    const size_t namesBytes = bytes - sizeof data;
    if (static_cast<size_t>(data.printOffset) + data.printLength > namesBytes ||
        static_cast<size_t>(data.substituteOffset) + data.substituteLength > namesBytes) {
        return false;
    }
    *target = detail::ProgramPath(TargetOf(data, names));
    return true;
}

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
