// A full disk for the length of a scope: every file this process writes may grow to at most the
// given size, and a longer write fails part-way as on a full medium (the signal the kernel sends
// for it is ignored meanwhile). The old limit and signal handler come back whatever happens.
#pragma once

#include <sys/resource.h>

#include <csignal>

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

}  // namespace tv::test
