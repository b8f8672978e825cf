// How far apart the runs of a Biweekly or Monthly schedule lie. Such an entry, once it has run,
// is held back on its weekdays until the next week or month of its rhythm comes.
#pragma once

#include "platform/date_time.h"
#include "schedule/schedule_entry.h"

namespace tv {

// Whether an entry of pattern that last ran on lastRunDate may run on the date of now. A
// Biweekly entry runs in every second week (Monday to Sunday) counted from the week of its last
// run, on each chosen weekday of such a week; a Monthly one in any calendar month but that of
// its last run, so on the first chosen weekday of each new month. Other patterns, and an entry
// whose last run date is unset, are never held back.
bool SpacingAllowsRun(RepeatPattern pattern, const DateTime& lastRunDate, const DateTime& now);

// 0 Monday … 6 Sunday, the bit of the day in a WeekdayMask; -1 for an unset date.
int WeekdayIndex(const DateTime& date);

}  // namespace tv
