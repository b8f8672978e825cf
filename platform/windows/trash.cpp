// Deletion to the recycle bin through the shell. The shell deletes for good what no recycle bin
// can take (a removable or network drive, a drive whose bin is turned off): such an entry is
// left in place and the deletion fails, as on the POSIX side.
#include "platform/trash.h"

#include <string>

#include "platform/file_system.h"
#include "platform/paths.h"
#include "platform/windows/wide_text.h"
#include "platform/windows/win32.h"

namespace tv {
namespace {

// The root of the drive holding path, as the shell's calls take it ("C:\").
std::wstring DriveRootOf(const std::wstring& longPath) {
    constexpr wchar_t kLongPrefix[] = L"\\\\?\\";
    const std::wstring plain =
        longPath.compare(0, 4, kLongPrefix) == 0 ? longPath.substr(4) : longPath;
    if (plain.size() < 3 || plain[1] != L':') return std::wstring();
    return plain.substr(0, 3);
}

// Whether the drive keeps a recycle bin: a fixed disk whose bin the shell can report on.
bool HasRecycleBin(const std::wstring& root) {
    if (root.empty() || GetDriveTypeW(root.c_str()) != DRIVE_FIXED) return false;
    SHQUERYRBINFO info{};
    info.cbSize = sizeof info;
    return SHQueryRecycleBinW(root.c_str(), &info) == S_OK;
}

}  // namespace

bool MoveToTrash(const std::string& path) {
    const std::wstring longPath = detail::WidePath(path);
    if (::GetFileAttributesW(longPath.c_str()) == INVALID_FILE_ATTRIBUTES) return false;
    if (!HasRecycleBin(DriveRootOf(longPath))) return false;
    // The shell takes no \\?\ prefix and a list ended by two nulls.
    std::wstring from = detail::WideFromUtf8(path);
    for (wchar_t& c : from) {
        if (c == L'/') c = L'\\';
    }
    from.push_back(L'\0');
    SHFILEOPSTRUCTW operation{};
    operation.wFunc = FO_DELETE;
    operation.pFrom = from.c_str();
    operation.fFlags = FOF_ALLOWUNDO | FOF_NOCONFIRMATION | FOF_NOERRORUI | FOF_SILENT;
    return SHFileOperationW(&operation) == 0 && !operation.fAnyOperationsAborted &&
           ::GetFileAttributesW(longPath.c_str()) == INVALID_FILE_ATTRIBUTES;
}

bool MoveEntryToTrash(const OpenFolder& folder, const std::string& name, std::string* trashFolder) {
    if (!IsPlainComponent(name)) return false;
    if (!MoveToTrash(JoinPath(folder.path(), name))) return false;
    // The shell's bin has no folder of its own whose sync would make the move durable.
    if (trashFolder != nullptr) trashFolder->clear();
    return true;
}

}  // namespace tv
