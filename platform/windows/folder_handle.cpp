#include "platform/windows/folder_handle.h"

#include <vector>

#include "platform/windows/folder_entry.h"
#include "platform/windows/wide_text.h"

namespace tv::detail {
namespace {

constexpr DWORD kShareAll = FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE;

// The path of what handle has open, with the \\?\ prefix; empty when it cannot be told.
std::wstring FinalPathOf(HANDLE handle) {
    std::vector<wchar_t> buffer(MAX_PATH);
    for (;;) {
        const DWORD length =
            GetFinalPathNameByHandleW(handle, buffer.data(), static_cast<DWORD>(buffer.size()),
                                      FILE_NAME_NORMALIZED | VOLUME_NAME_DOS);
        if (length == 0) return std::wstring();
        if (length < buffer.size()) return std::wstring(buffer.data(), length);
        buffer.resize(length + 1);
    }
}

// Splits path into the folder above it and its last level; false for a drive's root
// ("\\?\C:\") and for a path of one level.
bool SplitLastLevel(std::wstring path, std::wstring* parent, std::wstring* name) {
    while (!path.empty() && path.back() == L'\\') path.pop_back();
    if (path.empty() || path.back() == L':') return false;
    const size_t last = path.rfind(L'\\');
    if (last == std::wstring::npos) return false;
    *name = path.substr(last + 1);
    *parent = path.substr(0, last);
    // A drive's root is named with its separator: "C:" alone is the drive's current folder.
    if (!parent->empty() && parent->back() == L':') *parent += L'\\';
    return true;
}

bool IsSameNode(HANDLE one, HANDLE other) {
    NodeIdentity first;
    NodeIdentity second;
    return NodeOfHandle(one, &first) && NodeOfHandle(other, &second) && first == second;
}

}  // namespace

bool NodeOfHandle(HANDLE handle, NodeIdentity* node, DWORD* attributes) {
    BY_HANDLE_FILE_INFORMATION info{};
    if (!GetFileInformationByHandle(handle, &info)) return false;
    const FileIdentity identity = IdentityOf(info);
    *node = NodeIdentity{identity.device, identity.inode};
    if (attributes != nullptr) *attributes = info.dwFileAttributes;
    return true;
}

UniqueHandle OpenFolderEntry(HANDLE folder, const std::string& name, DWORD access) {
    EntryOpen open;
    open.access = access | SYNCHRONIZE;
    open.options |= FILE_DIRECTORY_FILE | FILE_OPEN_FOR_BACKUP_INTENT;
    return OpenEntryItselfIn(folder, name, open);
}

// Some systems (Wine among them) name an open folder by the path it was opened with even after it
// was moved: the folder above is checked to hold it still.
UniqueHandle OpenFolderAbove(HANDLE folder, DWORD access) {
    std::wstring parentPath;
    std::wstring name;
    if (!SplitLastLevel(FinalPathOf(folder), &parentPath, &name)) return UniqueHandle();
    UniqueHandle parent(CreateFileW(parentPath.c_str(), access, kShareAll, nullptr, OPEN_EXISTING,
                                    FILE_FLAG_BACKUP_SEMANTICS | FILE_FLAG_OPEN_REPARSE_POINT,
                                    nullptr));
    if (!parent.valid()) return parent;
    const UniqueHandle entry =
        OpenFolderEntry(parent.get(), Utf8FromWide(name), FILE_READ_ATTRIBUTES);
    if (!entry.valid() || !IsSameNode(entry.get(), folder)) return UniqueHandle();
    return parent;
}

}  // namespace tv::detail
