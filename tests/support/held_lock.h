// Holds a file exclusively, as another program copying or writing it would; the engine's
// exclusive open of it then fails. On Linux an advisory flock; on Windows an open that shares
// nothing with others.
#pragma once

#include <fcntl.h>
#ifdef _WIN32
#include <io.h>
#include <share.h>

#include <filesystem>
#else
#include <sys/file.h>
#include <unistd.h>
#endif

#include <string>

namespace tv::test {

class HeldLock {
  public:
    explicit HeldLock(const std::string& path) : fd_(OpenExclusively(path)) {}
    ~HeldLock() {
        if (fd_ >= 0) close(fd_);
    }
    HeldLock(const HeldLock&) = delete;
    HeldLock& operator=(const HeldLock&) = delete;
    bool locked() const { return fd_ >= 0; }

  private:
    static int OpenExclusively(const std::string& path) {
#ifdef _WIN32
        return _wsopen(std::filesystem::u8path(path).wstring().c_str(), _O_RDONLY | _O_BINARY,
                       _SH_DENYRW);
#else
        const int fd = open(path.c_str(), O_RDONLY);
        if (fd >= 0 && flock(fd, LOCK_EX | LOCK_NB) != 0) {
            close(fd);
            return -1;
        }
        return fd;
#endif
    }

    int fd_;
};

}  // namespace tv::test
