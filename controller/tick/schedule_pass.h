// The tick's pass over the schedules: every entry due now starts its runs with its own settings,
// in list order, each after the previous one ended; entries meant to run once are then removed.
#pragma once

#include "platform/date_time.h"

namespace tv {

class MainFrame;

void RunDueSchedules(MainFrame& frame, const DateTime& now);

}  // namespace tv
