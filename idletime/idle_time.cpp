// GetIdleTime: non-zero when the user is idle, so a run may proceed; 0 while the user is
// active. Idle means 60 seconds without keyboard or mouse input on the X display; without a
// display, logind's idle hint of the session; where nothing can be measured, idle, so that
// runs are never held back forever.
#include <chrono>
#include <cstdint>
#include <mutex>

#include "idletime/idle_sources.h"

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
    static std::mutex mutex;
    static std::chrono::steady_clock::time_point measuredAt;
    static bool measured = false;
    static bool idle = true;

    const std::lock_guard<std::mutex> lock(mutex);
    const auto now = std::chrono::steady_clock::now();
    if (!measured || now - measuredAt >= kRemeasureAfter) {
        idle = MeasureIdle();
        measuredAt = now;
        measured = true;
    }
    return idle ? 1 : 0;
}
