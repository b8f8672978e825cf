// The time since the last input of the session, from Windows' 32-bit millisecond tick count.
#pragma once

#include <cstdint>
#include <optional>

namespace tv::idle {

// Milliseconds from the tick of the last input to the tick now. The count wraps to 0 every
// 49.7 days; the unsigned difference stays right across the wrap.
constexpr uint64_t TicksSince(uint32_t lastInputTick, uint32_t nowTick) {
    return static_cast<uint32_t>(nowTick - lastInputTick);
}

// GetLastInputInfo against GetTickCount; nothing when the session does not tell.
std::optional<uint64_t> SessionInactiveMs();

}  // namespace tv::idle
