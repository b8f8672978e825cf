// The texts of the schedule list's columns, one table of entries and their rows.
#include "schedule/schedule_columns.h"

#include <gtest/gtest.h>

namespace tv::test {
namespace {

using Row = std::array<std::string, kScheduleColumnCount>;

ScheduleEntry Entry(ScheduleKind kind, DateTime runDate, WeekdayMask days, int pattern,
                    DateTime start) {
    ScheduleEntry entry;
    entry.Name = "夜間";
    entry.Kind = kind;
    entry.RunDate = runDate;
    entry.Weekdays = days;
    entry.Pattern = static_cast<RepeatPattern>(pattern);
    entry.StartTime = start;
    return entry;
}

TEST(ScheduleColumnsTest, EachKindShowsItsDayRepetitionAndStart) {
    const DateTime noon = DateTime::FromTime(12, 0);
    struct Case {
        const char* name;
        ScheduleEntry entry;
        Row row;
    };
    const Case cases[] = {
        {"a date runs once whatever its pattern",
         Entry(ScheduleKind::ByDate, DateTime::FromParts(2005, 12, 31), 0x7F, 1,
               DateTime::FromTime(9, 5)),
         {"夜間", "日付指定", "2005年12月31日", "１回のみ", "09時05分"}},
        {"a date never picked",
         Entry(ScheduleKind::ByDate, DateTime::Invalid(), 0x7F, 0, noon),
         {"夜間", "日付指定", "Invalid DateTime", "１回のみ", "12時00分"}},
        {"Monday, Wednesday and Friday in weekday order",
         Entry(ScheduleKind::ByWeekday, DateTime::Invalid(), 0x15, 0, DateTime::FromTime(23, 59)),
         {"夜間", "曜日指定", "月水金", "１回のみ", "23時59分"}},
        {"every day, weekly",
         Entry(ScheduleKind::ByWeekday, DateTime::Invalid(), 0x7F, 1, noon),
         {"夜間", "曜日指定", "月火水木金土日", "毎週", "12時00分"}},
        {"Sunday only, every other week",
         Entry(ScheduleKind::ByWeekday, DateTime::Invalid(), 0x40, 2, noon),
         {"夜間", "曜日指定", "日", "隔週", "12時00分"}},
        {"Saturday, monthly",
         Entry(ScheduleKind::ByWeekday, DateTime::Invalid(), 0x20, 3, noon),
         {"夜間", "曜日指定", "土", "毎月", "12時00分"}},
        {"a pattern the list does not know",
         Entry(ScheduleKind::ByWeekday, DateTime::Invalid(), 0, 4, noon),
         {"夜間", "曜日指定", "", "", "12時00分"}},
    };
    for (const Case& c : cases) EXPECT_EQ(c.row, ScheduleRowTexts(c.entry)) << c.name;
}

}  // namespace
}  // namespace tv::test
