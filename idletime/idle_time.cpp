// GetIdleTime: non-zero when the user is idle, so a run may proceed; 0 while the user is
// active. Idle means 60 seconds without keyboard or mouse input, as the system side of this
// library measures it (idletime/linux, idletime/windows).
#include <chrono>

#include "idletime/idle_rule.h"
#include "idletime/measured_answer.h"

namespace {

// Workers may ask before every buffer; the answer is measured at most twice a second.
constexpr auto kRemeasureAfter = std::chrono::milliseconds(500);

}  // namespace

extern "C" __attribute__((visibility("default"))) int GetIdleTime() {
    static tv::idle::MeasuredAnswer idle(kRemeasureAfter, tv::idle::MeasureIdle);
    return idle.Get() ? 1 : 0;
}
