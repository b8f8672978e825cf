// Every "now" of the program comes from a Clock, so tests can drive time by hand.
#pragma once

#include <ctime>

#include "platform/date_time.h"

namespace tv {

class Clock {
  public:
    virtual ~Clock() = default;
    virtual std::time_t Now() const = 0;
    DateTime NowDateTime() const { return DateTime::FromTimeT(Now()); }
    // Pauses the calling thread (load control, polls). A fake clock advances instead.
    virtual void SleepMs(unsigned milliseconds) const = 0;
};

class SystemClock : public Clock {
  public:
    std::time_t Now() const override;
    void SleepMs(unsigned milliseconds) const override;
};

// The process-wide real clock.
const Clock& RealClock();

}  // namespace tv
