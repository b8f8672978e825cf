#include "idletime/linux/source_choice.h"

#include <cstdlib>

namespace tv::idle {

namespace {

std::string Variable(const char* name) {
    const char* value = std::getenv(name);
    return value == nullptr ? std::string() : std::string(value);
}

bool IsWaylandSession(const SessionEnvironment& session) {
    return !session.waylandDisplay.empty() || session.sessionType == "wayland";
}

}  // namespace

SessionEnvironment CurrentSessionEnvironment() {
    return {Variable("DISPLAY"), Variable("WAYLAND_DISPLAY"), Variable("XDG_SESSION_TYPE")};
}

// GNOME's compositor sees every input on X11 and Wayland alike, so it goes first. In a Wayland
// session DISPLAY names XWayland, whose counter sees only input to X11 windows: the user would
// count as idle while typing in any other window, so the X11 counter is asked only on X11.
// logind's hint, which compositors without a bus interface of their own set, comes last.
std::vector<IdleSource> SourcesToAsk(const SessionEnvironment& session) {
    std::vector<IdleSource> sources = {IdleSource::kMutter};
    if (!session.display.empty() && !IsWaylandSession(session)) {
        sources.push_back(IdleSource::kX11ScreenSaver);
    }
    sources.push_back(IdleSource::kLogindHint);
    return sources;
}

}  // namespace tv::idle
