// A folder walk through a handle of the folder itself, listed with GetFileInformationByHandleEx,
// which gives each entry's file index too. Reparse points (symbolic links, junctions and mounted
// folders) are reported as links and never entered, so a walk never loops and never leaves its
// volume. A child is opened relative to its parent's handle, without following a reparse point,
// and the folder above by the path the system resolved for the child; either is kept only while
// it is still the node the walk expects.
//
// The folder is held as a C runtime descriptor over its handle, as OpenFolder holds its own.
#include <fcntl.h>
#include <io.h>

#include <vector>

#include "platform/file_system.h"
#include "platform/paths.h"
#include "platform/windows/folder_handle.h"
#include "platform/windows/wide_text.h"

namespace tv {
namespace {

constexpr DWORD kListAccess = FILE_LIST_DIRECTORY | FILE_READ_ATTRIBUTES | SYNCHRONIZE;
constexpr DWORD kShareAll = FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE;
constexpr size_t kListBytes = 64 * 1024;

// The listing of one folder: the entries last read and where Next stands among them.
struct FolderListing {
    int fd = -1;  // the folder, a descriptor over its handle
    std::vector<LONGLONG> buffer = std::vector<LONGLONG>(kListBytes / sizeof(LONGLONG));
    size_t next = 0;  // the offset of the next entry in buffer; kListBytes when all are reported
    bool ended = false;
};

HANDLE HandleOf(int fd) { return reinterpret_cast<HANDLE>(_get_osfhandle(fd)); }

// Reads the next entries into the listing; false at the end.
bool ReadMore(FolderListing* listing) {
    if (listing->ended) return false;
    if (!GetFileInformationByHandleEx(HandleOf(listing->fd), FileIdBothDirectoryInfo,
                                      listing->buffer.data(), kListBytes)) {
        // ERROR_NO_MORE_FILES, or ERROR_FILE_NOT_FOUND for an empty drive root.
        listing->ended = true;
        return false;
    }
    listing->next = 0;
    return true;
}

// The entry Next stands at, moved past; nullptr at the end.
const FILE_ID_BOTH_DIR_INFO* NextEntry(FolderListing* listing) {
    if (listing->next >= kListBytes && !ReadMore(listing)) return nullptr;
    const auto* bytes = reinterpret_cast<const char*>(listing->buffer.data());
    const auto* entry = reinterpret_cast<const FILE_ID_BOTH_DIR_INFO*>(bytes + listing->next);
    listing->next =
        entry->NextEntryOffset != 0 ? listing->next + entry->NextEntryOffset : kListBytes;
    return entry;
}

bool IsDotEntry(const std::wstring& name) { return name == L"." || name == L".."; }

EntryKind KindOf(DWORD attributes) {
    if (attributes & FILE_ATTRIBUTE_REPARSE_POINT) return EntryKind::Link;
    if (attributes & FILE_ATTRIBUTE_DIRECTORY) return EntryKind::Folder;
    if (attributes & FILE_ATTRIBUTE_DEVICE) return EntryKind::Special;
    return EntryKind::File;
}

FileTime TimeOf(const LARGE_INTEGER& time) {
    FILETIME filetime;
    filetime.dwLowDateTime = time.LowPart;
    filetime.dwHighDateTime = static_cast<DWORD>(time.HighPart);
    return detail::FileTimeOf(filetime);
}

FileStatus StatusOf(const FILE_ID_BOTH_DIR_INFO& found, const std::string& name, uint64_t device) {
    FileStatus status;
    status.name = name;
    status.attributes = found.FileAttributes;
    status.creation = TimeOf(found.CreationTime);
    status.lastAccess = TimeOf(found.LastAccessTime);
    status.lastWrite = TimeOf(found.LastWriteTime);
    status.kind = KindOf(found.FileAttributes);
    status.size = status.kind == EntryKind::Folder ? 0 : found.EndOfFile.QuadPart;
    status.node = NodeIdentity{device, static_cast<uint64_t>(found.FileId.QuadPart)};
    return status;
}

// A descriptor over handle, which it takes over; -1 (the handle closed) when none is left.
int DescriptorOf(detail::UniqueHandle handle) {
    if (!handle.valid()) return -1;
    const int fd = _open_osfhandle(reinterpret_cast<intptr_t>(handle.get()), _O_RDONLY);
    if (fd >= 0) handle.Release();
    return fd;
}

}  // namespace

DirectoryEnumerator::~DirectoryEnumerator() { Close(); }

bool DirectoryEnumerator::Open(const std::string& folder, Entries entries) {
    Close();
    return Adopt(DescriptorOf(detail::OpenForAttributes(folder, kListAccess, true)), nullptr,
                 entries);
}

bool DirectoryEnumerator::OpenChild(const DirectoryEnumerator& parent, const std::string& name,
                                    const NodeIdentity& listed, Entries entries) {
    Close();
    if (!parent.IsOpen()) return false;
    return Adopt(DescriptorOf(detail::OpenFolderEntry(HandleOf(parent.Fd()), name, kListAccess)),
                 &listed, entries);
}

// The system takes no ".." in a name opened relative to a folder: the folder above is opened by
// the path the system resolved for the child, and kept only while it is the node recorded.
bool DirectoryEnumerator::OpenParent(const DirectoryEnumerator& child, const NodeIdentity& recorded,
                                     Entries entries) {
    Close();
    if (!child.IsOpen()) return false;
    return Adopt(DescriptorOf(detail::OpenFolderAbove(HandleOf(child.Fd()), kListAccess)),
                 &recorded, entries);
}

// A handle of its own, so that the listing neither needs the folder's access to list nor moves
// another reader's place in it.
bool DirectoryEnumerator::OpenIn(const OpenFolder& folder, Entries entries) {
    Close();
    if (!folder.IsOpen()) return false;
    const HANDLE reopened =
        ReOpenFile(HandleOf(folder.fd_), kListAccess, kShareAll, FILE_FLAG_BACKUP_SEMANTICS);
    return Adopt(DescriptorOf(detail::UniqueHandle(reopened)), nullptr, entries);
}

// A reparse point is never taken for a folder here: OpenChild opens one as itself, and a walk
// does not go through it.
bool DirectoryEnumerator::Adopt(int fd, const NodeIdentity* expected, Entries entries) {
    if (fd < 0) return false;
    NodeIdentity identity;
    DWORD attributes = 0;
    const bool folder = detail::NodeOfHandle(HandleOf(fd), &identity, &attributes) &&
                        (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
    const bool link = expected != nullptr && (attributes & FILE_ATTRIBUTE_REPARSE_POINT) != 0;
    if (!folder || link || (expected != nullptr && identity != *expected)) {
        _close(fd);
        SetLastError(folder ? ERROR_PATH_NOT_FOUND : ERROR_DIRECTORY);
        return false;
    }
    auto listing = new FolderListing;
    listing->fd = fd;
    listing->next = kListBytes;
    dir_ = listing;
    device_ = identity.device;
    inode_ = identity.inode;
    entries_ = entries;
    return true;
}

int DirectoryEnumerator::Fd() const {
    return dir_ != nullptr ? static_cast<FolderListing*>(dir_)->fd : -1;
}

bool DirectoryEnumerator::Next(FileStatus* entry) {
    auto listing = static_cast<FolderListing*>(dir_);
    if (listing == nullptr) return false;
    while (const FILE_ID_BOTH_DIR_INFO* found = NextEntry(listing)) {
        const std::wstring wide(found->FileName, found->FileNameLength / sizeof(wchar_t));
        if (IsDotEntry(wide)) continue;
        const std::string name = detail::Utf8FromWide(wide);
        if (entries_ == Entries::Names) {
            *entry = FileStatus();
            entry->name = name;
            return true;
        }
        FileStatus status = StatusOf(*found, name, device_);
        if (entries_ == Entries::Walkable && status.kind != EntryKind::File &&
            status.kind != EntryKind::Folder) {
            continue;
        }
        *entry = std::move(status);
        return true;
    }
    return false;
}

void DirectoryEnumerator::Close() {
    auto listing = static_cast<FolderListing*>(dir_);
    if (listing != nullptr) {
        _close(listing->fd);
        delete listing;
    }
    dir_ = nullptr;
    device_ = 0;
    inode_ = 0;
}

}  // namespace tv
