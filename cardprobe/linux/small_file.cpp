#include "cardprobe/small_file.h"

#include <fcntl.h>
#include <sys/stat.h>

#include <cerrno>
#include <utility>

#include "cardprobe/linux/unique_fd.h"

namespace tv::cardprobe {

bool ReadFilePrefix(const std::string& path, std::size_t limit, std::string* out, Links links) {
    int flags = O_RDONLY | O_NONBLOCK | O_CLOEXEC;
    if (links == Links::kRefuse) flags |= O_NOFOLLOW;
    UniqueFd fd(::open(path.c_str(), flags));
    if (!fd.valid()) return false;
    struct stat status;
    if (::fstat(fd.get(), &status) != 0 || !S_ISREG(status.st_mode)) return false;

    std::string bytes(limit, '\0');
    std::size_t filled = 0;
    while (filled < limit) {
        const ssize_t got = ::read(fd.get(), &bytes[filled], limit - filled);
        if (got < 0 && errno == EINTR) continue;
        if (got < 0) return false;
        if (got == 0) break;
        filled += static_cast<std::size_t>(got);
    }
    bytes.resize(filled);
    *out = std::move(bytes);
    return true;
}

}  // namespace tv::cardprobe
