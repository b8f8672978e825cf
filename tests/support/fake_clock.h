// A clock the test sets and advances by hand; sleeping advances it instead of waiting.
#pragma once

#include <atomic>
#include <ctime>

#include "platform/clock.h"

namespace tv::test {

class FakeClock : public Clock {
  public:
    explicit FakeClock(std::time_t start = 1120210200) : now_(start) {}
    std::time_t Now() const override { return now_.load(); }
    // Advances by whole seconds once a thousand milliseconds have been slept.
    void SleepMs(unsigned milliseconds) const override;
    void Set(std::time_t t) { now_ = t; }
    // Local calendar time, as the user sees it.
    void SetLocal(int year, int month, int day, int hour, int minute, int second);
    void Advance(std::time_t seconds) { now_ += seconds; }

  private:
    mutable std::atomic<std::time_t> now_;
    mutable std::atomic<unsigned> pendingMs_{0};
};

}  // namespace tv::test
