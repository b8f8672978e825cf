// How long without keyboard or mouse input makes the user idle, whatever measured it.
#pragma once

#include <cstdint>
#include <optional>

namespace tv::idle {

constexpr uint64_t kIdleAfterMs = 60 * 1000;

// Idle or not after inactiveMs without input; nothing when nothing was measured.
inline std::optional<bool> IsIdleAfter(std::optional<uint64_t> inactiveMs) {
    if (!inactiveMs) return std::nullopt;
    return *inactiveMs >= kIdleAfterMs;
}

// One measurement of the system's own: idle or busy. Where nothing can be measured, idle, so
// that runs are never held back forever.
bool MeasureIdle();

}  // namespace tv::idle
