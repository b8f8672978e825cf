// The ways the user's inactivity can be measured. Each answers the milliseconds since the last
// input, or nothing when it cannot measure here.
#pragma once

#include <cstdint>
#include <optional>

namespace tv::idle {

// The X11 screen-saver extension on $DISPLAY.
std::optional<uint64_t> X11InactiveMs();
// logind's IdleHint of the caller's session: idle or not, without a duration.
std::optional<bool> LogindIdleHint();

}  // namespace tv::idle
