// Holds an exclusive lock on a file, as another program copying or writing it would; the
// engine's exclusive open of it then fails.
#pragma once

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <string>

namespace tv::test {

class HeldLock {
  public:
    explicit HeldLock(const std::string& path) : fd_(open(path.c_str(), O_RDONLY)) {
        locked_ = fd_ >= 0 && flock(fd_, LOCK_EX | LOCK_NB) == 0;
    }
    ~HeldLock() {
        if (fd_ >= 0) close(fd_);
    }
    HeldLock(const HeldLock&) = delete;
    HeldLock& operator=(const HeldLock&) = delete;
    bool locked() const { return locked_; }

  private:
    int fd_;
    bool locked_ = false;
};

}  // namespace tv::test
