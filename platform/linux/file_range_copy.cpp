// Copies between two open files inside the kernel (copy_file_range), so that the bytes do not
// pass through the caller's buffer.
#include <unistd.h>

#include <cerrno>

#include "platform/file_system.h"

namespace tv {
namespace {

RangeCopyError ErrorOf(int error) {
    switch (error) {
        // Another file system, a kernel or file system without the call, or files it does not
        // take (a special file, an append-only copy): the bytes can still be read and written.
        case EXDEV:
        case EINVAL:
        case ENOSYS:
        case EOPNOTSUPP:
        case EBADF:
            return RangeCopyError::Unsupported;
        case EFBIG:
            return RangeCopyError::TooLarge;
        case ENOSPC:
        case EDQUOT:
            return RangeCopyError::Write;
        default:
            return RangeCopyError::Read;
    }
}

}  // namespace

int64_t File::CopyRangeFrom(const File& source, int64_t sourceOffset, int64_t targetOffset,
                            size_t size, RangeCopyError* error) {
    *error = RangeCopyError::None;
    off_t from = static_cast<off_t>(sourceOffset);
    off_t to = static_cast<off_t>(targetOffset);
    size_t done = 0;
    while (done < size) {
        const ssize_t n = copy_file_range(source.fd_, &from, fd_, &to, size - done, 0);
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) {
            *error = ErrorOf(errno);
            break;
        }
        if (n == 0) break;
        done += static_cast<size_t>(n);
    }
    return static_cast<int64_t>(done);
}

}  // namespace tv
