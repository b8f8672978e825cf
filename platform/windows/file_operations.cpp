// The small file operations by path: folders, deletion, renames, copies and whole files written.
// Windows itself refuses to delete or overwrite a read-only file.
#include <algorithm>
#include <climits>
#include <utility>

#include "platform/file_system.h"
#include "platform/paths.h"
#include "platform/temporary_names.h"
#include "platform/win_constants.h"
#include "platform/windows/file_handle.h"
#include "platform/windows/wide_text.h"

namespace tv {
namespace {

bool IsReadOnly(const std::string& path) {
    const uint32_t attributes = GetFileAttributes(path);
    return attributes != kInvalidAttributes && (attributes & kAttrReadOnly) != 0;
}

// Windows replaces no read-only file; looked at here too, as Wine run by root would.
bool RefuseReadOnly(const std::string& path) {
    if (!IsReadOnly(path)) return false;
    SetLastError(ERROR_ACCESS_DENIED);
    return true;
}

// Writes every byte; false when any could not be written.
bool WriteAll(HANDLE handle, const std::string& bytes) {
    for (size_t done = 0; done < bytes.size();) {
        const DWORD chunk = static_cast<DWORD>(std::min<size_t>(bytes.size() - done, INT_MAX));
        DWORD written = 0;
        if (!WriteFile(handle, bytes.data() + done, chunk, &written, nullptr) || written == 0) {
            return false;
        }
        done += written;
    }
    return true;
}

// A new temporary file beside path, open for writing and shared with nobody.
detail::UniqueHandle CreateTemporaryFor(const std::string& path, std::string* temporaryPath) {
    detail::UniqueHandle handle;
    *temporaryPath = CreateTemporaryBesideWith(path, [&](const std::string& name) {
        handle =
            detail::UniqueHandle(CreateFileW(detail::WidePath(name).c_str(), GENERIC_WRITE, 0,
                                             nullptr, CREATE_NEW, FILE_ATTRIBUTE_HIDDEN, nullptr));
        return handle.valid();
    });
    return handle;
}

// Gives the finished temporary file the name path, replacing what had it; the temporary is
// deleted when that fails.
bool ReplaceWith(const std::string& temporary, const std::string& path, DWORD attributes) {
    const std::wstring from = detail::WidePath(temporary);
    if (SetFileAttributesW(from.c_str(), attributes) &&
        MoveFileExW(from.c_str(), detail::WidePath(path).c_str(),
                    MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
        return true;
    }
    const DWORD error = GetLastError();
    SetFileAttributesW(from.c_str(), FILE_ATTRIBUTE_NORMAL);
    DeleteFileW(from.c_str());
    SetLastError(error);
    return false;
}

}  // namespace

// Windows says "path not found" when the folder is to go below a file; the caller is told that
// the file is no folder, as on Linux.
bool CreateFolder(const std::string& path) {
    if (path.empty()) return false;
    if (CreateDirectoryW(detail::WidePath(path).c_str(), nullptr)) return true;
    if (GetLastError() == ERROR_PATH_NOT_FOUND) {
        const uint32_t parent = GetFileAttributes(ContainingFolder(path));
        if (parent != kInvalidAttributes && (parent & kAttrDirectory) == 0) {
            SetLastError(ERROR_DIRECTORY);
        } else {
            SetLastError(ERROR_PATH_NOT_FOUND);
        }
    }
    return false;
}

// A new folder inherits the access list of its parent: there are no permission bits to take.
bool CreateFolderLike(const std::string& path, const std::string& /*model*/) {
    return CreateFolder(path);
}

bool DeleteFile(const std::string& path) {
    return !path.empty() && DeleteFileW(detail::WidePath(path).c_str());
}

bool RemoveFolder(const std::string& path) {
    return !path.empty() && RemoveDirectoryW(detail::WidePath(path).c_str());
}

bool CopyFile(const std::string& source, const std::string& destination) {
    if (source.empty() || destination.empty() || RefuseReadOnly(destination)) return false;
    std::string temporary;
    {
        // Only the name is taken here: CopyFile writes the copy, its times and attributes.
        detail::UniqueHandle made = CreateTemporaryFor(destination, &temporary);
        if (!made.valid()) return false;
    }
    const std::wstring to = detail::WidePath(temporary);
    const std::wstring from = detail::WidePath(source);
    // The source's own attributes: the copy over the hidden temporary keeps the temporary's.
    const DWORD attributes = ::GetFileAttributesW(from.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES || !CopyFileW(from.c_str(), to.c_str(), FALSE)) {
        const DWORD error = GetLastError();
        DeleteFileW(to.c_str());
        SetLastError(error);
        return false;
    }
    return ReplaceWith(temporary, destination, attributes);
}

bool MoveFile(const std::string& source, const std::string& destination) {
    return !source.empty() && !destination.empty() && !RefuseReadOnly(destination) &&
           MoveFileExW(detail::WidePath(source).c_str(), detail::WidePath(destination).c_str(),
                       MOVEFILE_REPLACE_EXISTING);
}

bool MoveFileIfFree(const std::string& source, const std::string& destination) {
    return !source.empty() && !destination.empty() &&
           MoveFileExW(detail::WidePath(source).c_str(), detail::WidePath(destination).c_str(), 0);
}

// Access lists are inherited from the folder on Windows: OwnerOnly and AsMask write alike. The
// file keeps its attributes (AsBefore) or has none of its own.
bool WriteFileAtomically(const std::string& path, const std::string& bytes, FileAccess access) {
    if (path.empty() || IsReadOnly(path)) return false;
    DWORD attributes = FILE_ATTRIBUTE_NORMAL;
    const uint32_t before = GetFileAttributes(path);
    if (access == FileAccess::AsBefore && before != kInvalidAttributes) attributes = before;
    std::string temporary;
    bool written = false;
    {
        const detail::UniqueHandle handle = CreateTemporaryFor(path, &temporary);
        if (!handle.valid()) return false;
        written = WriteAll(handle.get(), bytes) && FlushFileBuffers(handle.get());
    }
    if (!written) {
        DeleteFileW(detail::WidePath(temporary).c_str());
        return false;
    }
    return ReplaceWith(temporary, path, attributes);
}

}  // namespace tv
