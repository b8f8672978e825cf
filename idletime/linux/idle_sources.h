// The ways the user's inactivity can be measured. Each answers nothing when it cannot measure
// here, and a bus that is slow to answer counts as one that cannot.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

namespace tv::idle {

// GNOME's compositor: the milliseconds since the last input to any window, X11 or Wayland.
std::optional<uint64_t> MutterInactiveMs();
// The X11 screen-saver extension on the named display: the milliseconds since the last input
// that display's server has seen.
std::optional<uint64_t> X11InactiveMs(const std::string& display);
// logind's IdleHint of the user's session: idle or not, without a duration; nothing when no
// desktop ever set it.
std::optional<bool> LogindIdleHint();

}  // namespace tv::idle
