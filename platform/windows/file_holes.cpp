// Positions and the size of an open file.
#include "platform/file_system.h"
#include "platform/windows/file_handle.h"

namespace tv {

// A file's identity here reports as many bytes held as it has (see IdentityOf), so a copy never
// looks for holes: a sparse file is read whole, its holes as the zeros they read as, and all
// from offset to the end is data.
bool File::NextData(int64_t offset, int64_t* dataStart, int64_t* dataEnd) {
    const int64_t size = Size();
    if (size < 0 || offset >= size) return false;
    *dataStart = offset;
    *dataEnd = size;
    return SeekTo(offset);
}

bool File::SeekTo(int64_t offset) {
    LARGE_INTEGER to{};
    to.QuadPart = offset;
    return fd_ >= 0 && SetFilePointerEx(detail::HandleOfDescriptor(fd_), to, nullptr, FILE_BEGIN);
}

// Moves the end of the file to size, keeping the position where it was.
bool File::SetSize(int64_t size) {
    pastSizeLimit_ = false;
    if (fd_ < 0) return false;
    const HANDLE handle = detail::HandleOfDescriptor(fd_);
    LARGE_INTEGER position{}, zero{}, to{};
    to.QuadPart = size;
    if (!SetFilePointerEx(handle, zero, &position, FILE_CURRENT) ||
        !SetFilePointerEx(handle, to, nullptr, FILE_BEGIN)) {
        return false;
    }
    const bool cut = SetEndOfFile(handle);
    pastSizeLimit_ = !cut && GetLastError() == ERROR_FILE_TOO_LARGE;
    SetFilePointerEx(handle, position, nullptr, FILE_BEGIN);
    return cut;
}

}  // namespace tv
