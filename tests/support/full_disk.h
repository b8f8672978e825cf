// A full disk for the length of a scope: every file this process writes may grow to at most the
// given size, and a longer write fails part-way as on a full medium (the signal the kernel sends
// for it is ignored meanwhile). The old limit and signal handler come back whatever happens.
// The copy engine tells such a failure (a file too large) from a full medium: FillVolume makes a
// real one.
#pragma once

#include <fcntl.h>
#include <sys/resource.h>
#include <unistd.h>

#include <cerrno>
#include <csignal>
#include <string>

namespace tv::test {

class FullDisk {
  public:
    explicit FullDisk(rlim_t bytesPerFile = 0) {
        getrlimit(RLIMIT_FSIZE, &saved_);
        previousHandler_ = std::signal(SIGXFSZ, SIG_IGN);
        struct rlimit limit = saved_;
        limit.rlim_cur = bytesPerFile;
        applied_ = setrlimit(RLIMIT_FSIZE, &limit) == 0;
    }
    ~FullDisk() { Lift(); }
    FullDisk(const FullDisk&) = delete;
    FullDisk& operator=(const FullDisk&) = delete;

    // Whether the limit took effect.
    bool applied() const { return applied_; }
    // Ends the full disk before the scope does; done once.
    void Lift() {
        if (lifted_) return;
        lifted_ = true;
        setrlimit(RLIMIT_FSIZE, &saved_);
        std::signal(SIGXFSZ, previousHandler_);
    }

  private:
    struct rlimit saved_ {};
    void (*previousHandler_)(int) = SIG_DFL;
    bool applied_ = false;
    bool lifted_ = false;
};

// Fills the file system holding folder with a file named ".filler" in it, until a write fails
// for want of room; false when it failed for another reason.
inline bool FillVolume(const std::string& folder) {
    const int fd = open((folder + "/.filler").c_str(), O_WRONLY | O_CREAT | O_CLOEXEC, 0600);
    if (fd < 0) return false;
    static const char kBlock[4096] = {};
    ssize_t written = 0;
    while ((written = write(fd, kBlock, sizeof kBlock)) > 0) {
    }
    const bool full = written < 0 && errno == ENOSPC;
    close(fd);
    return full;
}

}  // namespace tv::test
