// The error kinds from errno, which every failed call of the C library leaves behind.
#include "platform/file_error.h"

#include <cerrno>

namespace tv {

FileError LastFileError() {
    switch (errno) {
        case 0:
            return FileError::None;
        case ENOENT:
            return FileError::NotFound;
        case EEXIST:
            return FileError::Exists;
        case EACCES:
            return FileError::AccessDenied;
        case EPERM:
            return FileError::NotPermitted;
        case EOPNOTSUPP:
        case ENOSYS:
            return FileError::Unsupported;
        case ENOSPC:
        case EDQUOT:
            return FileError::NoSpace;
        case ENOTDIR:
            return FileError::NotAFolder;
        case EISDIR:
            return FileError::IsAFolder;
        case ENOTEMPTY:
            return FileError::NotEmpty;
        case EFBIG:
            return FileError::TooLarge;
        default:
            return FileError::Other;
    }
}

}  // namespace tv
