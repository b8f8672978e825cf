// A folder held open on Windows: a handle opened with backup semantics (which a folder needs),
// kept as a C runtime descriptor as File keeps its handle. The handle is shared for reading and
// writing but not for deletion, so the folder can be neither renamed nor removed while it is
// held; its entries are reached by their names relative to it.
#include <io.h>

#include "platform/file_system.h"
#include "platform/name_case.h"
#include "platform/paths.h"
#include "platform/windows/folder_entry.h"
#include "platform/windows/wide_text.h"

namespace tv {
namespace {

// Enough to list the folder (the enumerator of an open folder reads it through this handle)
// and to reach its entries.
constexpr DWORD kFolderAccess =
    FILE_LIST_DIRECTORY | FILE_TRAVERSE | FILE_READ_ATTRIBUTES | SYNCHRONIZE;
constexpr DWORD kFolderShare = FILE_SHARE_READ | FILE_SHARE_WRITE;

bool IsFolderHandle(HANDLE handle, bool linkAllowed) {
    BY_HANDLE_FILE_INFORMATION info{};
    if (!GetFileInformationByHandle(handle, &info)) return false;
    const bool folder = (info.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
    const bool link = (info.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT) != 0;
    if (folder && (linkAllowed || !link)) return true;
    SetLastError(link && !linkAllowed ? ERROR_CANT_RESOLVE_FILENAME : ERROR_DIRECTORY);
    return false;
}

// Opens the folder at path. When no link is allowed, a link in its place is opened itself and
// refused; otherwise it is followed.
detail::UniqueHandle OpenFolderAt(const std::string& path, bool linkAllowed) {
    if (path.empty()) return detail::UniqueHandle();
    const DWORD flags =
        FILE_FLAG_BACKUP_SEMANTICS | (linkAllowed ? 0 : FILE_FLAG_OPEN_REPARSE_POINT);
    detail::UniqueHandle handle(CreateFileW(detail::WidePath(path).c_str(), kFolderAccess,
                                            kFolderShare, nullptr, OPEN_EXISTING, flags, nullptr));
    if (!handle.valid() || !IsFolderHandle(handle.get(), linkAllowed))
        return detail::UniqueHandle();
    return handle;
}

// Opens each level of below, relative to the folder before it, refusing a link at any of them.
detail::UniqueHandle OpenLevelsNoFollow(detail::UniqueHandle folder, const std::string& below) {
    detail::EntryOpen open;
    open.access = kFolderAccess;
    open.share = kFolderShare;
    open.options = FILE_DIRECTORY_FILE | FILE_SYNCHRONOUS_IO_NONALERT | FILE_OPEN_FOR_BACKUP_INTENT;
    size_t start = 0;
    while (folder.valid() && start < below.size()) {
        size_t end = below.find(kSeparator, start);
        if (end == std::string::npos) end = below.size();
        if (end > start) {
            folder =
                detail::OpenEntryItselfIn(folder.get(), below.substr(start, end - start), open);
            if (folder.valid() && !IsFolderHandle(folder.get(), false)) folder.Reset();
        }
        start = end + 1;
    }
    return folder;
}

// The folder's path without trailing separators, but for a drive's root: "C:" alone names the
// drive's current folder.
std::string FolderPathOf(const std::string& path) {
    std::string folder = WithoutTrailingSeparators(path);
    if (folder.size() == 2 && folder[1] == ':') folder += kSeparator;
    return folder;
}

// Windows names a folder in any case of its letters.
bool IsSamePath(const std::string& a, const std::string& b) {
    return a.size() == b.size() && CaseFoldedName(a) == CaseFoldedName(b);
}

bool ReadInformation(const detail::UniqueHandle& handle, BY_HANDLE_FILE_INFORMATION* info) {
    return handle.valid() && GetFileInformationByHandle(handle.get(), info);
}

}  // namespace

OpenFolder::~OpenFolder() { Close(); }

void OpenFolder::Close() {
    if (fd_ >= 0) _close(fd_);
    fd_ = -1;
    path_.clear();
    made_ = Made{};
}

bool OpenFolder::OpenBelow(const std::string& root, const std::string& folder) {
    Close();
    const std::string local = FolderPathOf(folder);
    const std::string base = FolderPathOf(root);
    const std::string prefix = WithTrailingSeparator(base);
    const bool insideRoot =
        local.size() > prefix.size() && IsSamePath(local.substr(0, prefix.size()), prefix);
    detail::UniqueHandle handle;
    if (IsSamePath(local, base)) {
        handle = OpenFolderAt(base, true);
    } else if (insideRoot) {
        handle = OpenLevelsNoFollow(OpenFolderAt(base, true), local.substr(prefix.size()));
    } else {
        handle = OpenFolderAt(local, false);
    }
    if (!handle.valid() || !detail::AdoptAsDescriptor(std::move(handle), &fd_)) return false;
    path_ = folder;
    return true;
}

bool OpenFolder::Identity(FileIdentity* identity) const {
    BY_HANDLE_FILE_INFORMATION info{};
    if (fd_ < 0 || !GetFileInformationByHandle(detail::HandleOfDescriptor(fd_), &info)) {
        return false;
    }
    *identity = detail::IdentityOf(info);
    return true;
}

bool OpenFolder::EntryIdentity(const std::string& name, FileIdentity* identity) const {
    BY_HANDLE_FILE_INFORMATION info{};
    if (fd_ < 0 || !ReadInformation(detail::OpenEntryItselfIn(detail::HandleOfDescriptor(fd_), name,
                                                              detail::EntryOpen{}),
                                    &info)) {
        return false;
    }
    *identity = detail::IdentityOf(info);
    return true;
}

bool OpenFolder::EntryStatus(const std::string& name, FileStatus* status) const {
    BY_HANDLE_FILE_INFORMATION info{};
    if (fd_ < 0 || !ReadInformation(detail::OpenEntryIn(detail::HandleOfDescriptor(fd_), name,
                                                        detail::EntryOpen{}),
                                    &info)) {
        return false;
    }
    *status = detail::StatusOf(name, info);
    return true;
}

bool OpenFolder::Rename(const std::string& from, const std::string& to) const {
    return fd_ >= 0 && detail::RenameEntryIn(detail::HandleOfDescriptor(fd_), from, to);
}

bool OpenFolder::RemoveFile(const std::string& name) const {
    return fd_ >= 0 && detail::RemoveEntryIn(detail::HandleOfDescriptor(fd_), name);
}

}  // namespace tv
