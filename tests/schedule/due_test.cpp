// When a schedule fires: once a calendar day at its start minute, on its date or weekdays, and
// for Biweekly and Monthly entries only when their rhythm allows. The polls are DateTime values,
// as the ten-second tick hands them over.
#include <gtest/gtest.h>

#include <vector>

#include "schedule/schedule_entry.h"

namespace tv::test {
namespace {

// 2005-07-04 is a Monday; the week runs to Sunday 2005-07-10.
DateTime At(int year, int month, int day, int hour = 12, int minute = 0, int second = 0) {
    return DateTime::FromParts(year, month, day, hour, minute, second);
}

ScheduleEntry OnWeekdays(WeekdayMask mask, RepeatPattern pattern = RepeatPattern::Weekly) {
    ScheduleEntry entry;
    entry.Weekdays = mask;
    entry.Pattern = pattern;
    return entry;
}

TEST(ScheduleDue, MondayAndSundayMaskFiresOnThoseDaysOnly) {
    const bool expected[7] = {true, false, false, false, false, false, true};
    for (int day = 0; day < 7; ++day) {
        ScheduleEntry entry = OnWeekdays(0x41);
        EXPECT_EQ(expected[day], entry.IsDue(At(2005, 7, 4 + day))) << "2005-07-" << 4 + day;
    }
}

TEST(ScheduleDue, EachMaskBitIsItsOwnWeekday) {
    for (int bit = 0; bit < 7; ++bit) {
        for (int day = 0; day < 7; ++day) {
            ScheduleEntry entry = OnWeekdays(static_cast<WeekdayMask>(1u << bit));
            EXPECT_EQ(bit == day, entry.IsDue(At(2005, 7, 4 + day)))
                << "bit " << bit << ", 2005-07-" << 4 + day;
        }
    }
}

TEST(ScheduleDue, FiresAtTheFirstPollOfItsMinuteAndOnceADay) {
    ScheduleEntry entry = OnWeekdays(kEveryWeekday);
    EXPECT_FALSE(entry.IsDue(At(2005, 7, 4, 11, 59, 50)));
    EXPECT_TRUE(entry.IsDue(At(2005, 7, 4, 12, 0, 0)));
    EXPECT_EQ(At(2005, 7, 4, 12, 0, 0), entry.LastFired);
    EXPECT_FALSE(entry.IsDue(At(2005, 7, 4, 12, 0, 10)));
    EXPECT_FALSE(entry.IsDue(At(2005, 7, 4, 12, 0, 50)));
    entry.StartTime = DateTime::FromTime(18, 30);  // edited later that day
    EXPECT_FALSE(entry.IsDue(At(2005, 7, 4, 18, 30, 0)));
    EXPECT_TRUE(entry.IsDue(At(2005, 7, 5, 18, 30, 20)));
}

TEST(ScheduleDue, AfterARestartFiresAgainInTheSameMinute) {
    ScheduleEntry before = OnWeekdays(kEveryWeekday);
    ASSERT_TRUE(before.IsDue(At(2005, 7, 4, 12, 0, 0)));
    ScheduleEntry restarted = OnWeekdays(kEveryWeekday);  // LastFired is never stored
    EXPECT_TRUE(restarted.IsDue(At(2005, 7, 4, 12, 0, 30)));
}

TEST(ScheduleDue, UnsetStartTimeNeverFires) {
    ScheduleEntry entry = OnWeekdays(kEveryWeekday);
    entry.StartTime = DateTime::Invalid();
    for (int hour = 0; hour < 24; ++hour) EXPECT_FALSE(entry.IsDue(At(2005, 7, 4, hour, 0)));
}

TEST(ScheduleDue, ByDateFiresOnItsDateWhateverTheWeekdaysAndPattern) {
    struct Case {
        const char* name;
        DateTime runDate;
        DateTime now;
        bool due;
    };
    const Case cases[] = {
        {"today", At(2005, 7, 1, 0, 0), At(2005, 7, 1), true},
        {"next day", At(2005, 7, 1, 0, 0), At(2005, 7, 2), false},
        {"same day next month", At(2005, 7, 1, 0, 0), At(2005, 8, 1), false},
        {"same day next year", At(2005, 7, 1, 0, 0), At(2006, 7, 1), false},
        {"unset date", DateTime::Invalid(), At(2005, 7, 1), false},
    };
    for (const Case& c : cases) {
        ScheduleEntry entry = OnWeekdays(0, RepeatPattern::Monthly);
        entry.Kind = ScheduleKind::ByDate;
        entry.RunDate = c.runDate;
        entry.HasRun = true;
        entry.LastRunDate = At(2005, 7, 1, 0, 0);
        EXPECT_EQ(c.due, entry.IsDue(c.now)) << c.name;
    }
}

struct SpacingCase {
    const char* name;
    RepeatPattern pattern;
    WeekdayMask mask;
    bool hasRun;
    DateTime lastRun;
    DateTime now;
    bool due;
};

// Last runs on Wednesday 2005-07-06 (week of Monday 07-04) and Monday 2005-07-04.
const SpacingCase kSpacingCases[] = {
    {"biweekly, same week", RepeatPattern::Biweekly, kEveryWeekday, true, At(2005, 7, 6, 0, 0),
     At(2005, 7, 7), true},
    {"biweekly, next Monday", RepeatPattern::Biweekly, kEveryWeekday, true, At(2005, 7, 6, 0, 0),
     At(2005, 7, 11), false},
    {"biweekly, next Sunday", RepeatPattern::Biweekly, kEveryWeekday, true, At(2005, 7, 6, 0, 0),
     At(2005, 7, 17), false},
    {"biweekly, Monday two weeks on", RepeatPattern::Biweekly, kEveryWeekday, true,
     At(2005, 7, 6, 0, 0), At(2005, 7, 18), true},
    {"biweekly, Sunday two weeks on", RepeatPattern::Biweekly, kEveryWeekday, true,
     At(2005, 7, 6, 0, 0), At(2005, 7, 24), true},
    {"biweekly, three weeks on", RepeatPattern::Biweekly, kEveryWeekday, true, At(2005, 7, 6, 0, 0),
     At(2005, 7, 25), false},
    {"biweekly, four weeks on, past the month end", RepeatPattern::Biweekly, kEveryWeekday, true,
     At(2005, 7, 6, 0, 0), At(2005, 8, 1), true},
    {"biweekly, never run, acts weekly", RepeatPattern::Biweekly, kEveryWeekday, false,
     At(2005, 7, 6, 0, 0), At(2005, 7, 11), true},
    {"biweekly, run without a date", RepeatPattern::Biweekly, kEveryWeekday, true,
     DateTime::Invalid(), At(2005, 7, 11), true},
    {"weekly, next week", RepeatPattern::Weekly, kEveryWeekday, true, At(2005, 7, 6, 0, 0),
     At(2005, 7, 11), true},
    {"monthly, next Monday", RepeatPattern::Monthly, 0x01, true, At(2005, 7, 4, 0, 0),
     At(2005, 7, 11), false},
    {"monthly, last Monday of the month", RepeatPattern::Monthly, 0x01, true, At(2005, 7, 4, 0, 0),
     At(2005, 7, 25), false},
    {"monthly, first Monday of the next month", RepeatPattern::Monthly, 0x01, true,
     At(2005, 7, 4, 0, 0), At(2005, 8, 1), true},
    {"monthly, Sunday at the month end", RepeatPattern::Monthly, 0x40, true, At(2005, 7, 3, 0, 0),
     At(2005, 7, 31), false},
    {"monthly, across the year end", RepeatPattern::Monthly, 0x01, true, At(2005, 12, 26, 0, 0),
     At(2006, 1, 2), true},
    {"monthly, same month a year on", RepeatPattern::Monthly, 0x01, true, At(2005, 7, 4, 0, 0),
     At(2006, 7, 3), true},
    {"monthly, never run, acts weekly", RepeatPattern::Monthly, 0x01, false, At(2005, 7, 4, 0, 0),
     At(2005, 7, 11), true},
    {"monthly, spacing comes after the weekday", RepeatPattern::Monthly, 0x01, true,
     At(2005, 7, 4, 0, 0), At(2005, 8, 2), false},
};

TEST(ScheduleDue, BiweeklyAndMonthlyWaitForTheirRhythm) {
    for (const SpacingCase& c : kSpacingCases) {
        ScheduleEntry entry = OnWeekdays(c.mask, c.pattern);
        entry.HasRun = c.hasRun;
        entry.LastRunDate = c.lastRun;
        EXPECT_EQ(c.due, entry.IsDue(c.now)) << c.name;
    }
}

TEST(ScheduleDue, MonthlyRunsOnTheFirstChosenWeekdayOfEachMonth) {
    ScheduleEntry entry = OnWeekdays(0x01, RepeatPattern::Monthly);  // Mondays
    std::vector<int> firedDays;
    for (int day = 0; day < 70; ++day) {
        const DateTime now = At(2005, 7, 4) + day;
        if (!entry.IsDue(now)) continue;
        entry.MarkRun(now);
        firedDays.push_back(now.Month() * 100 + now.Day());
    }
    EXPECT_EQ((std::vector<int>{704, 801, 905}), firedDays);
}

TEST(ScheduleDue, MarkRunKeepsTheDateWithoutItsTime) {
    ScheduleEntry entry;
    entry.MarkRun(At(2005, 7, 4, 12, 0, 10));
    EXPECT_TRUE(entry.HasRun);
    EXPECT_EQ(At(2005, 7, 4, 0, 0), entry.LastRunDate);
}

}  // namespace
}  // namespace tv::test
