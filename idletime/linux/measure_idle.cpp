// Asks the sources that fit the desktop session in turn (the compositor, the X11 server,
// logind's hint); the first that answers decides.
#include <cstdint>
#include <optional>

#include "idletime/idle_rule.h"
#include "idletime/linux/idle_sources.h"
#include "idletime/linux/source_choice.h"

namespace tv::idle {

namespace {

std::optional<bool> Ask(IdleSource source, const SessionEnvironment& session) {
    switch (source) {
        case IdleSource::kMutter:
            return IsIdleAfter(MutterInactiveMs());
        case IdleSource::kX11ScreenSaver:
            return IsIdleAfter(X11InactiveMs(session.display));
        case IdleSource::kLogindHint:
            return LogindIdleHint();
    }
    return std::nullopt;
}

}  // namespace

bool MeasureIdle() {
    const SessionEnvironment session = CurrentSessionEnvironment();
    for (const IdleSource source : SourcesToAsk(session)) {
        if (const auto idle = Ask(source, session)) return *idle;
    }
    return true;
}

}  // namespace tv::idle
