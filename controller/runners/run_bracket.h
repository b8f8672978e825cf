// One run of the frame, from its start to its end. While it lasts, the frame's mode keeps every
// other run, the tray menu, the settings dialog and the exit out, whatever the modal progress
// window lets through; the runs that ask for it stop the ten-second tick, so no tick falls into
// them. At its end the tick runs again and the tray tip shows the new next times.
#pragma once

#include <functional>

#include "controller/frame_mode.h"
#include "controller/ports/timers.h"

namespace tv {

// Whether the ten-second tick goes on during a run. The drive-unit and file/directory runs stop
// it; a removable run does not, and a tick during it finds the run in progress.
enum class TickDuringRun { Stopped, GoesOn };

class RunBracket {
  public:
    // atEnd is called once the run has ended, after the tick was started again.
    RunBracket(FrameMode& mode, Timers& timers, TickDuringRun tick, std::function<void()> atEnd);
    ~RunBracket();
    RunBracket(const RunBracket&) = delete;
    RunBracket& operator=(const RunBracket&) = delete;

    // False when another run was in progress or the program is ending: this one must not start,
    // and the bracket changes nothing now or at its end.
    bool entered() const { return entered_; }

  private:
    FrameMode& mode_;
    Timers& timers_;
    TickDuringRun tick_;
    std::function<void()> atEnd_;
    bool entered_ = false;
};

}  // namespace tv
