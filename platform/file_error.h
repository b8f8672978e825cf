// Why the last file call of this thread failed, in the kinds the program tells apart: each
// system's own error numbers are translated into these by its backend.
#pragma once

#include <cstdint>

namespace tv {

enum class FileError : uint8_t {
    None,          // the last call did not fail
    NotFound,      // no entry has the name, or a folder on its way is missing
    Exists,        // something has the name already
    AccessDenied,  // the entry's permissions keep the process out
    NotPermitted,  // the operation itself is refused there (a link on a file system without)
    Unsupported,   // the file system or the system cannot do it at all
    NoSpace,       // the disk or the user's quota is full
    NotAFolder,    // a folder was expected on the way or at the end
    IsAFolder,     // a file was expected and a folder found
    NotEmpty,      // a folder to remove still holds entries
    TooLarge,      // the file would grow past the largest one the file system allows
    Other,         // any other failure
};

// The kind of the failure of the last file call of this thread that failed. Ask right after
// the call: any call after it may change the answer.
FileError LastFileError();

}  // namespace tv
