// The process's file mode mask set for the length of a scope, and the one before restored after.
#pragma once

#include <sys/stat.h>

namespace tv::test {

class ScopedUmask {
  public:
    explicit ScopedUmask(mode_t mask) : saved_(umask(mask)) {}
    ~ScopedUmask() { umask(saved_); }
    ScopedUmask(const ScopedUmask&) = delete;
    ScopedUmask& operator=(const ScopedUmask&) = delete;

  private:
    mode_t saved_;
};

}  // namespace tv::test
