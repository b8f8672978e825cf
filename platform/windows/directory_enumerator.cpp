// A folder walk through FindFirstFileExW and FindNextFileW. Reparse points (symbolic links,
// junctions and mounted folders) are reported as links and never entered, so a walk never
// loops and never leaves its volume.
#include "platform/file_system.h"
#include "platform/paths.h"
#include "platform/windows/file_handle.h"
#include "platform/windows/wide_text.h"

namespace tv {
namespace {

// The search of one folder, with the entry it found and that Next has not reported yet.
struct FolderSearch {
    HANDLE find = INVALID_HANDLE_VALUE;
    WIN32_FIND_DATAW found{};
    bool pending = false;
};

bool IsDotEntry(const wchar_t* name) {
    return name[0] == L'.' && (name[1] == L'\0' || (name[1] == L'.' && name[2] == L'\0'));
}

EntryKind KindOf(DWORD attributes) {
    if (attributes & FILE_ATTRIBUTE_REPARSE_POINT) return EntryKind::Link;
    if (attributes & FILE_ATTRIBUTE_DIRECTORY) return EntryKind::Folder;
    if (attributes & FILE_ATTRIBUTE_DEVICE) return EntryKind::Special;
    return EntryKind::File;
}

FileStatus StatusOf(const WIN32_FIND_DATAW& found) {
    FileStatus status;
    status.name = detail::Utf8FromWide(found.cFileName, wcslen(found.cFileName));
    status.attributes = found.dwFileAttributes;
    status.creation = detail::FileTimeOf(found.ftCreationTime);
    status.lastAccess = detail::FileTimeOf(found.ftLastAccessTime);
    status.lastWrite = detail::FileTimeOf(found.ftLastWriteTime);
    status.kind = KindOf(found.dwFileAttributes);
    status.size = status.kind == EntryKind::Folder
                      ? 0
                      : (static_cast<uint64_t>(found.nFileSizeHigh) << 32) | found.nFileSizeLow;
    return status;
}

}  // namespace

DirectoryEnumerator::~DirectoryEnumerator() { Close(); }

bool DirectoryEnumerator::Open(const std::string& folder, Entries entries) {
    Close();
    BY_HANDLE_FILE_INFORMATION info{};
    const detail::UniqueHandle handle =
        detail::OpenForAttributes(folder, FILE_READ_ATTRIBUTES, true);
    if (!handle.valid() || !GetFileInformationByHandle(handle.get(), &info) ||
        (info.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) == 0) {
        if (handle.valid()) SetLastError(ERROR_DIRECTORY);
        return false;
    }
    auto search = new FolderSearch;
    search->find =
        FindFirstFileExW(detail::WidePath(JoinPath(folder, "*")).c_str(), FindExInfoBasic,
                         &search->found, FindExSearchNameMatch, nullptr, FIND_FIRST_EX_LARGE_FETCH);
    // An empty folder still has "." (a drive's root has not even that).
    if (search->find == INVALID_HANDLE_VALUE && GetLastError() != ERROR_FILE_NOT_FOUND) {
        delete search;
        return false;
    }
    search->pending = search->find != INVALID_HANDLE_VALUE;
    dir_ = search;
    device_ = info.dwVolumeSerialNumber;
    inode_ = (static_cast<uint64_t>(info.nFileIndexHigh) << 32) | info.nFileIndexLow;
    entries_ = entries;
    return true;
}

bool DirectoryEnumerator::Next(FileStatus* entry) {
    auto search = static_cast<FolderSearch*>(dir_);
    if (search == nullptr) return false;
    for (;;) {
        if (!search->pending) {
            if (search->find == INVALID_HANDLE_VALUE ||
                !FindNextFileW(search->find, &search->found)) {
                return false;
            }
        }
        search->pending = false;
        const WIN32_FIND_DATAW& found = search->found;
        if (IsDotEntry(found.cFileName)) continue;
        if (entries_ == Entries::Names) {
            *entry = FileStatus();
            entry->name = detail::Utf8FromWide(found.cFileName, wcslen(found.cFileName));
            return true;
        }
        FileStatus status = StatusOf(found);
        if (entries_ == Entries::Walkable && status.kind != EntryKind::File &&
            status.kind != EntryKind::Folder) {
            continue;
        }
        *entry = std::move(status);
        return true;
    }
}

void DirectoryEnumerator::Close() {
    auto search = static_cast<FolderSearch*>(dir_);
    if (search != nullptr) {
        if (search->find != INVALID_HANDLE_VALUE) FindClose(search->find);
        delete search;
    }
    dir_ = nullptr;
    device_ = 0;
    inode_ = 0;
}

}  // namespace tv
