#include "controller/runners/run_bracket.h"

#include <utility>

#include "controller/frame_ids.h"

namespace tv {

RunBracket::RunBracket(FrameMode& mode, Timers& timers, TickDuringRun tick,
                       std::function<void()> atEnd)
    : mode_(mode), timers_(timers), tick_(tick), atEnd_(std::move(atEnd)) {
    if (!mode_.CanStartRun()) return;
    entered_ = true;
    mode_.BeginRun();
    if (tick_ == TickDuringRun::Stopped) timers_.Stop(kTimerTick);
}

RunBracket::~RunBracket() {
    if (!entered_) return;
    mode_.EndRun();
    if (tick_ == TickDuringRun::Stopped) timers_.Start(kTimerTick, kTickPeriodMs);
    if (atEnd_) atEnd_();
}

}  // namespace tv
