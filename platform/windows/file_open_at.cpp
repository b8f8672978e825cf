// The opens of File that name a file either by its path or by its name in a folder held open
// (CreateFileW or NtCreateFile relative to the folder's handle): a new file, and a file read
// without following a link in its place.
#include "platform/file_system.h"
#include "platform/windows/file_handle.h"
#include "platform/windows/folder_entry.h"
#include "platform/windows/wide_text.h"

namespace tv {
namespace {

// A new file is put in its place by a rename while it is still open: even an exclusive one lets
// it be renamed and deleted meanwhile, as an advisory lock does elsewhere.
DWORD ShareModeOf(bool exclusive, bool create) {
    return detail::ShareModeOf(exclusive) | (create ? FILE_SHARE_DELETE : 0);
}

// Opens path, or the entry path of the folder dirFd when it is one: an existing file, or a new
// one (created when nothing has the name, not even a link), the link itself when asked.
detail::UniqueHandle OpenAt(int dirFd, const std::string& path, DWORD access, bool exclusive,
                            bool create, bool sequential, bool linkItself) {
    const DWORD share = ShareModeOf(exclusive, create);
    if (dirFd >= 0) {
        detail::EntryOpen open;
        open.access = access | SYNCHRONIZE;
        open.share = share;
        open.disposition = create ? FILE_CREATE : FILE_OPEN;
        open.options = FILE_NON_DIRECTORY_FILE | FILE_SYNCHRONOUS_IO_NONALERT |
                       (sequential ? FILE_SEQUENTIAL_ONLY : 0) |
                       (linkItself ? FILE_OPEN_REPARSE_POINT : 0);
        return detail::OpenEntryIn(detail::HandleOfDescriptor(dirFd), path, open);
    }
    if (path.empty()) return detail::UniqueHandle();
    const DWORD flags = FILE_ATTRIBUTE_NORMAL | (sequential ? FILE_FLAG_SEQUENTIAL_SCAN : 0) |
                        (linkItself ? FILE_FLAG_OPEN_REPARSE_POINT : 0);
    return detail::UniqueHandle(CreateFileW(detail::WidePath(path).c_str(), access, share, nullptr,
                                            create ? CREATE_NEW : OPEN_EXISTING, flags, nullptr));
}

}  // namespace

bool File::OpenForReadNoFollow(const std::string& path, bool exclusive, bool sequential,
                               FileIdentity* opened) {
    return OpenForReadNoFollowAt(-1, path, exclusive, sequential, opened);
}

bool File::OpenForReadIn(const OpenFolder& folder, const std::string& name, bool exclusive,
                         bool sequential, FileIdentity* opened) {
    Close();
    return folder.IsOpen() &&
           OpenForReadNoFollowAt(folder.fd_, name, exclusive, sequential, opened);
}

// The entry itself is opened: a link (or any reparse point) in the file's place is refused, as
// is a folder.
bool File::OpenForReadNoFollowAt(int dirFd, const std::string& path, bool exclusive,
                                 bool sequential, FileIdentity* opened) {
    Close();
    detail::UniqueHandle handle =
        OpenAt(dirFd, path, GENERIC_READ, exclusive, false, sequential, true);
    BY_HANDLE_FILE_INFORMATION info{};
    if (!handle.valid() || !GetFileInformationByHandle(handle.get(), &info)) return false;
    const FileIdentity identity = detail::IdentityOf(info);
    if (!identity.IsRegularFile()) {
        SetLastError(identity.IsLink() ? ERROR_CANT_RESOLVE_FILENAME : ERROR_ACCESS_DENIED);
        return false;
    }
    if (!detail::AdoptAsDescriptor(std::move(handle), &fd_)) return false;
    if (opened != nullptr) *opened = identity;
    return true;
}

bool File::CreateNewForWrite(const std::string& path, bool exclusive, bool sequential,
                             uint32_t mode) {
    return CreateNewAt(-1, path, exclusive, sequential, mode);
}

bool File::CreateNewIn(const OpenFolder& folder, const std::string& name, bool exclusive,
                       bool sequential, uint32_t mode) {
    Close();
    return folder.IsOpen() && CreateNewAt(folder.fd_, name, exclusive, sequential, mode);
}

// Access lists are inherited from the folder: there are no permission bits to give, and a new
// file is writable whatever mode says, so that it can be finished and later replaced. Creating
// fails when anything has the name, a link included.
bool File::CreateNewAt(int dirFd, const std::string& path, bool exclusive, bool sequential,
                       uint32_t /*mode*/) {
    Close();
    detail::UniqueHandle handle = OpenAt(dirFd, path, GENERIC_WRITE | FILE_READ_ATTRIBUTES,
                                         exclusive, true, sequential, false);
    return handle.valid() && detail::AdoptAsDescriptor(std::move(handle), &fd_);
}

}  // namespace tv
