#include "tests/support/fake_clock.h"

namespace tv::test {

void FakeClock::SleepMs(unsigned milliseconds) const {
    unsigned pending = pendingMs_.load();
    unsigned remainder = 0;
    std::time_t seconds = 0;
    do {
        const unsigned long long total = static_cast<unsigned long long>(pending) + milliseconds;
        seconds = static_cast<std::time_t>(total / 1000);
        remainder = static_cast<unsigned>(total % 1000);
    } while (!pendingMs_.compare_exchange_weak(pending, remainder));
    now_ += seconds;
}

void FakeClock::SetLocal(int year, int month, int day, int hour, int minute, int second) {
    std::tm local{};
    local.tm_year = year - 1900;
    local.tm_mon = month - 1;
    local.tm_mday = day;
    local.tm_hour = hour;
    local.tm_min = minute;
    local.tm_sec = second;
    local.tm_isdst = -1;
    now_ = std::mktime(&local);
}

}  // namespace tv::test
