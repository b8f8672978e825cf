// GetIdleTime: non-zero when the user is idle, so a run may proceed; 0 while the user is
// active. Idle means 60 seconds without keyboard or mouse input, as measured by the first
// source that fits the desktop session and answers (the compositor, the X11 server, logind's
// hint); where nothing can be measured, idle, so that runs are never held back forever.
#include <chrono>
#include <cstdint>
#include <optional>

#include "idletime/idle_sources.h"
#include "idletime/measured_answer.h"
#include "idletime/source_choice.h"

namespace {

using tv::idle::IdleSource;

constexpr uint64_t kIdleAfterMs = 60 * 1000;
// Workers may ask before every buffer; the answer is measured at most twice a second.
constexpr auto kRemeasureAfter = std::chrono::milliseconds(500);

std::optional<bool> IsIdleAfter(std::optional<uint64_t> inactiveMs) {
    if (!inactiveMs) return std::nullopt;
    return *inactiveMs >= kIdleAfterMs;
}

std::optional<bool> Ask(IdleSource source, const tv::idle::SessionEnvironment& session) {
    switch (source) {
        case IdleSource::kMutter:
            return IsIdleAfter(tv::idle::MutterInactiveMs());
        case IdleSource::kX11ScreenSaver:
            return IsIdleAfter(tv::idle::X11InactiveMs(session.display));
        case IdleSource::kLogindHint:
            return tv::idle::LogindIdleHint();
    }
    return std::nullopt;
}

bool MeasureIdle() {
    const tv::idle::SessionEnvironment session = tv::idle::CurrentSessionEnvironment();
    for (const IdleSource source : tv::idle::SourcesToAsk(session)) {
        if (const auto idle = Ask(source, session)) return *idle;
    }
    return true;
}

}  // namespace

extern "C" __attribute__((visibility("default"))) int GetIdleTime() {
    static tv::idle::MeasuredAnswer idle(kRemeasureAfter, MeasureIdle);
    return idle.Get() ? 1 : 0;
}
