// Root reads and enters every folder whatever its permission bits say. For as long as this
// lives, the calling thread lacks that override (its effective capabilities to bypass read and
// search checks), so a test run as root meets an unreadable folder as a user would. Without
// root there is nothing to give up.
#pragma once

#include <linux/capability.h>
#include <sys/syscall.h>
#include <unistd.h>

namespace tv::test {

class WithoutAccessOverride {
  public:
    WithoutAccessOverride() {
        if (syscall(SYS_capget, &header_, saved_) != 0) return;
        __user_cap_data_struct reduced[2] = {saved_[0], saved_[1]};
        reduced[0].effective &= ~((1u << CAP_DAC_OVERRIDE) | (1u << CAP_DAC_READ_SEARCH));
        dropped_ = syscall(SYS_capset, &header_, reduced) == 0;
    }
    ~WithoutAccessOverride() {
        if (dropped_) syscall(SYS_capset, &header_, saved_);
    }
    WithoutAccessOverride(const WithoutAccessOverride&) = delete;
    WithoutAccessOverride& operator=(const WithoutAccessOverride&) = delete;

  private:
    __user_cap_header_struct header_{_LINUX_CAPABILITY_VERSION_3, 0};
    __user_cap_data_struct saved_[2] = {};
    bool dropped_ = false;
};

}  // namespace tv::test
