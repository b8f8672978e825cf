#include "controller/runners/run_bracket.h"

#include <utility>

#include "controller/frame_ids.h"

namespace tv {

RunBracket::RunBracket(FrameState& state, Timers& timers, TickDuringRun tick,
                       std::function<void()> atEnd)
    : state_(state), timers_(timers), tick_(tick), atEnd_(std::move(atEnd)) {
    if (state_.CopyRunning || state_.Ending) return;
    entered_ = true;
    state_.CopyRunning = true;
    if (tick_ == TickDuringRun::Stopped) timers_.Stop(kTimerTick);
}

RunBracket::~RunBracket() {
    if (!entered_) return;
    state_.CopyRunning = false;
    if (tick_ == TickDuringRun::Stopped) timers_.Start(kTimerTick, kTickPeriodMs);
    if (atEnd_) atEnd_();
}

}  // namespace tv
