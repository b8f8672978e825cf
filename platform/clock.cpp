#include "platform/clock.h"

#include <chrono>
#include <thread>

namespace tv {

std::time_t SystemClock::Now() const { return std::time(nullptr); }

void SystemClock::SleepMs(unsigned milliseconds) const {
    std::this_thread::sleep_for(std::chrono::milliseconds(milliseconds));
}

const Clock& RealClock() {
    static const SystemClock clock;
    return clock;
}

}  // namespace tv
