// Which measurements of the user's inactivity fit the desktop session, in the order they are
// asked: the first that can answer decides.
#pragma once

#include <string>
#include <vector>

namespace tv::idle {

enum class IdleSource { kMutter, kX11ScreenSaver, kLogindHint };

// What the process's environment says of its desktop session.
struct SessionEnvironment {
    std::string display;         // DISPLAY
    std::string waylandDisplay;  // WAYLAND_DISPLAY
    std::string sessionType;     // XDG_SESSION_TYPE
};

SessionEnvironment CurrentSessionEnvironment();
std::vector<IdleSource> SourcesToAsk(const SessionEnvironment& session);

}  // namespace tv::idle
