#include "schedule/repeat_spacing.h"

#include <cmath>
#include <cstdint>

namespace tv {
namespace {

constexpr int kDaysPerWeek = 7;

// The day number of the Monday that starts the week of date: whole days on the time line, so
// weeks on either side of 1899-12-30 count alike.
int64_t WeekStartDay(const DateTime& date) {
    const DateTime midnight = DateTime::FromParts(date.Year(), date.Month(), date.Day());
    return std::llround(midnight.Days()) - WeekdayIndex(date);
}

bool InEvenWeekAfter(const DateTime& lastRunDate, const DateTime& now) {
    const int64_t weeks = (WeekStartDay(now) - WeekStartDay(lastRunDate)) / kDaysPerWeek;
    return weeks % 2 == 0;
}

bool InOtherMonth(const DateTime& lastRunDate, const DateTime& now) {
    return now.Year() != lastRunDate.Year() || now.Month() != lastRunDate.Month();
}

}  // namespace

int WeekdayIndex(const DateTime& date) {
    if (!date.IsValid()) return -1;
    // DayOfWeek counts 1 Sunday .. 7 Saturday; the mask starts its week on Monday.
    return (date.DayOfWeek() + 5) % kDaysPerWeek;
}

bool SpacingAllowsRun(RepeatPattern pattern, const DateTime& lastRunDate, const DateTime& now) {
    if (!lastRunDate.IsValid()) return true;
    switch (pattern) {
        case RepeatPattern::Biweekly:
            return InEvenWeekAfter(lastRunDate, now);
        case RepeatPattern::Monthly:
            return InOtherMonth(lastRunDate, now);
        case RepeatPattern::Once:
        case RepeatPattern::Weekly:
            break;
    }
    return true;
}

}  // namespace tv
