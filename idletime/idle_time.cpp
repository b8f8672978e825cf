// GetIdleTime: non-zero when the user is idle, so a run may proceed; 0 while the user is
// active. Idle means 60 seconds without keyboard or mouse input on the X display; without a
// display, logind's idle hint of the session; where nothing can be measured, idle, so that
// runs are never held back forever.
#include <chrono>
#include <cstdint>

#include "idletime/idle_sources.h"
#include "idletime/measured_answer.h"

namespace {

constexpr uint64_t kIdleAfterMs = 60 * 1000;
// Workers may ask before every buffer; the answer is measured at most twice a second.
constexpr auto kRemeasureAfter = std::chrono::milliseconds(500);

bool MeasureIdle() {
    if (const auto inactive = tv::idle::X11InactiveMs()) return *inactive >= kIdleAfterMs;
    if (const auto hint = tv::idle::LogindIdleHint()) return *hint;
    return true;
}

}  // namespace

extern "C" __attribute__((visibility("default"))) int GetIdleTime() {
    static tv::idle::MeasuredAnswer idle(kRemeasureAfter, MeasureIdle);
    return idle.Get() ? 1 : 0;
}
