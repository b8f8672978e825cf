#include "schedule/schedule_columns.h"

#include <cstdio>

namespace tv {

namespace {

// The day letters in the order of the WeekdayMask bits, Monday first.
constexpr const char* kWeekdayLetters[] = {"月", "火", "水", "木", "金", "土", "日"};
constexpr const char* kRepeatTexts[] = {"１回のみ", "毎週", "隔週", "毎月"};

std::string KindText(const ScheduleEntry& entry) {
    return entry.Kind == ScheduleKind::ByDate ? "日付指定" : "曜日指定";
}

std::string WeekdayLetters(WeekdayMask mask) {
    std::string letters;
    for (size_t bit = 0; bit < std::size(kWeekdayLetters); ++bit) {
        if ((mask & (1u << bit)) != 0) letters += kWeekdayLetters[bit];
    }
    return letters;
}

std::string DayText(const ScheduleEntry& entry) {
    if (entry.Kind != ScheduleKind::ByDate) return WeekdayLetters(entry.Weekdays);
    if (!entry.RunDate.IsValid()) return kUnsetDateText;
    return entry.RunDate.Format("%Y年%m月%d日");
}

// A date runs once whatever its pattern; a pattern the list does not know shows nothing.
std::string RepeatText(const ScheduleEntry& entry) {
    if (entry.Kind == ScheduleKind::ByDate) return kRepeatTexts[0];
    const auto pattern = static_cast<size_t>(entry.Pattern);
    return pattern < std::size(kRepeatTexts) ? kRepeatTexts[pattern] : std::string();
}

std::string StartText(const ScheduleEntry& entry) {
    char text[32];
    std::snprintf(text, sizeof text, "%02d時%02d分", entry.StartTime.Hour(),
                  entry.StartTime.Minute());
    return text;
}

}  // namespace

std::array<std::string, kScheduleColumnCount> ScheduleRowTexts(const ScheduleEntry& entry) {
    return {entry.Name, KindText(entry), DayText(entry), RepeatText(entry), StartText(entry)};
}

}  // namespace tv
