// The ten-second tick: it starts the interval runs of the drive unit and the file/directory unit
// in the minute they are due (or moves them on while the user is busy), keeps the drive unit's
// next time from falling behind the clock, and starts the schedules that are due.
#pragma once

#include "controller/tick/tick_host.h"

namespace tv {

void RunTick(TickHost& host);

}  // namespace tv
