#include "cardprobe/medium_file.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>

#include "cardprobe/file_attributes.h"
#include "cardprobe/linux/unique_fd.h"

namespace tv::cardprobe {

namespace {

// Unique among the writers running at once: one per thread of one process.
std::string TemporaryNameFor(const std::string& path) {
    return path + ".~" + std::to_string(::getpid()) + "-" + std::to_string(::gettid());
}

bool WriteAll(int fd, std::string_view bytes) {
    std::size_t written = 0;
    while (written < bytes.size()) {
        const ssize_t done = ::write(fd, bytes.data() + written, bytes.size() - written);
        if (done < 0 && errno == EINTR) continue;
        if (done <= 0) return false;
        written += static_cast<std::size_t>(done);
    }
    return true;
}

// Fills the new file completely; it must be on the medium before it takes the target's name,
// or a medium pulled out at the wrong moment could keep an empty identity file.
bool FillNewFile(const std::string& temporary, std::string_view bytes) {
    UniqueFd fd(
        ::open(temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0666));
    if (!fd.valid()) return false;
    const bool filled =
        WriteAll(fd.get(), bytes) && ::fsync(fd.get()) == 0 && SetHiddenReadOnly(fd.get());
    return fd.Close() && filled;
}

}  // namespace

bool WriteHiddenReadOnlyFile(const std::string& path, std::string_view bytes) {
    if (RefusesWriting(path)) return false;
    const std::string temporary = TemporaryNameFor(path);
    if (FillNewFile(temporary, bytes) && std::rename(temporary.c_str(), path.c_str()) == 0) {
        return true;
    }
    ::unlink(temporary.c_str());
    return false;
}

}  // namespace tv::cardprobe
