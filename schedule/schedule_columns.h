// The texts that the schedule list shows for one entry, column by column: name, run mode, date
// or weekdays, repetition and start time.
#pragma once

#include <array>
#include <cstddef>
#include <string>

#include "schedule/schedule_entry.h"

namespace tv {

constexpr size_t kScheduleColumnCount = 5;

struct ScheduleColumn {
    const char* header;
    int width;  // pixels
};

inline constexpr ScheduleColumn kScheduleColumns[kScheduleColumnCount] = {
    {"スケジュール名", 100}, {"実行モード", 70}, {"実行日付/曜日", 100},
    {"実行間隔", 70},        {"開始時刻", 50},
};

// What an unset date shows in the date column.
constexpr const char* kUnsetDateText = "Invalid DateTime";

std::array<std::string, kScheduleColumnCount> ScheduleRowTexts(const ScheduleEntry& entry);

}  // namespace tv
