// Positions and holes of an open file, so that a copy of a sparse file stays sparse.
#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstdint>
#include <limits>

#include "platform/file_system.h"

namespace tv {

bool File::NextData(int64_t offset, int64_t* dataStart, int64_t* dataEnd) {
    const off_t data = lseek(fd_, static_cast<off_t>(offset), SEEK_DATA);
    if (data < 0) {
        if (errno == ENXIO) return false;
        // Holes cannot be told here: all that follows is data.
        *dataStart = offset;
        *dataEnd = std::numeric_limits<int64_t>::max();
        return SeekTo(offset);
    }
    const off_t hole = lseek(fd_, data, SEEK_HOLE);
    *dataStart = data;
    *dataEnd = hole < 0 ? std::numeric_limits<int64_t>::max() : hole;
    return SeekTo(data);
}

bool File::SeekTo(int64_t offset) {
    return fd_ >= 0 && lseek(fd_, static_cast<off_t>(offset), SEEK_SET) == offset;
}

bool File::SetSize(int64_t size) {
    pastSizeLimit_ = false;
    if (fd_ < 0) return false;
    if (ftruncate(fd_, static_cast<off_t>(size)) == 0) return true;
    pastSizeLimit_ = errno == EFBIG;
    return false;
}

}  // namespace tv
