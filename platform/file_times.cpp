#include <fcntl.h>
#include <sys/stat.h>

#include "platform/file_system.h"

namespace tv {
namespace {

// The kernel reads a few out-of-range nanosecond values as "now" or "leave alone"; a stored
// time must never turn into either.
bool IsValidTime(const FileTime& t) { return t.nanoseconds >= 0 && t.nanoseconds <= 999999999; }

struct timespec ToTimespec(const FileTime& t) {
    struct timespec ts {};
    ts.tv_sec = static_cast<time_t>(t.seconds);
    ts.tv_nsec = t.nanoseconds;
    return ts;
}

}  // namespace

bool SetFileTimes(const std::string& path, const FileTime& lastAccess, const FileTime& lastWrite) {
    if (!IsValidTime(lastAccess) || !IsValidTime(lastWrite)) return false;
    const struct timespec times[2] = {ToTimespec(lastAccess), ToTimespec(lastWrite)};
    return utimensat(AT_FDCWD, path.c_str(), times, 0) == 0;
}

}  // namespace tv
