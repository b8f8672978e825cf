#include <windows.h>

#include "idletime/idle_rule.h"
#include "idletime/windows/input_ticks.h"

namespace tv::idle {

std::optional<uint64_t> SessionInactiveMs() {
    LASTINPUTINFO input{};
    input.cbSize = sizeof input;
    if (!::GetLastInputInfo(&input)) return std::nullopt;
    // Read after the last input, so that an input between the two calls cannot come out as
    // a time in the future (a wrapped, huge difference).
    return TicksSince(input.dwTime, ::GetTickCount());
}

bool MeasureIdle() { return IsIdleAfter(SessionInactiveMs()).value_or(true); }

}  // namespace tv::idle
