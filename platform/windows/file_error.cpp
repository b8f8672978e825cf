// The error kinds from GetLastError, which every failed Win32 call leaves behind.
#include "platform/file_error.h"

#include "platform/windows/win32.h"

namespace tv {

FileError LastFileError() {
    switch (GetLastError()) {
        case ERROR_SUCCESS:
            return FileError::None;
        case ERROR_FILE_NOT_FOUND:
        case ERROR_PATH_NOT_FOUND:
        case ERROR_INVALID_DRIVE:
        case ERROR_BAD_NETPATH:
        case ERROR_BAD_NET_NAME:
            return FileError::NotFound;
        case ERROR_FILE_EXISTS:
        case ERROR_ALREADY_EXISTS:
            return FileError::Exists;
        case ERROR_ACCESS_DENIED:
        case ERROR_SHARING_VIOLATION:
        case ERROR_LOCK_VIOLATION:
        case ERROR_WRITE_PROTECT:
            return FileError::AccessDenied;
        case ERROR_PRIVILEGE_NOT_HELD:
            return FileError::NotPermitted;
        case ERROR_NOT_SUPPORTED:
        case ERROR_INVALID_FUNCTION:
            return FileError::Unsupported;
        case ERROR_DISK_FULL:
        case ERROR_HANDLE_DISK_FULL:
            return FileError::NoSpace;
        case ERROR_DIRECTORY:
            return FileError::NotAFolder;
        case ERROR_DIR_NOT_EMPTY:
            return FileError::NotEmpty;
        case ERROR_FILE_TOO_LARGE:
            return FileError::TooLarge;
        default:
            return FileError::Other;
    }
}

}  // namespace tv
