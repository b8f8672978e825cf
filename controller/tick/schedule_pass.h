// The tick's pass over the schedules: every entry due now starts its runs with its own settings,
// in list order, each after the previous one ended; entries meant to run once are then removed.
#pragma once

#include "controller/runners/run_host.h"
#include "platform/date_time.h"
#include "schedule/schedule_list.h"

namespace tv {

void RunDueSchedules(RunHost& runs, ScheduleList& schedules, const DateTime& now);

}  // namespace tv
