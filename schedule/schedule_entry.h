// ScheduleEntry: one schedule. It fires at a fixed minute of the day, on one calendar date or on
// chosen weekdays, and carries a whole settings record of its own, so a scheduled run may copy
// other sources to other destinations with other options than the interval runs.
#pragma once

#include <cstdint>
#include <string>

#include "platform/date_time.h"
#include "settings/settings_context.h"
#include "settings/settings_record.h"

namespace tv {

enum class ScheduleKind : uint8_t { ByDate = 0, ByWeekday = 1 };
enum class RepeatPattern : uint8_t { Once = 0, Weekly = 1, Biweekly = 2, Monthly = 3 };

// Bit 0 Monday … bit 6 Sunday; bit 7 is always clear.
using WeekdayMask = uint8_t;
constexpr WeekdayMask kEveryWeekday = 0x7F;

constexpr const char* kDefaultScheduleName = "スケジュール";

struct ScheduleEntry {
    // When the entry was last found due. Held in memory only: after a restart an entry may fire
    // again on the same day.
    DateTime LastFired = DateTime::FromTime(0, 0);
    std::string Name = kDefaultScheduleName;
    ScheduleKind Kind = ScheduleKind::ByWeekday;
    DateTime RunDate;  // the date of a ByDate entry; unset (invalid) by default
    WeekdayMask Weekdays = kEveryWeekday;
    RepeatPattern Pattern = RepeatPattern::Weekly;
    DateTime StartTime = DateTime::FromTime(12, 0);  // only hour and minute count
    bool HasRun = false;
    DateTime LastRunDate;  // date of the last run started from the entry, time cleared
    SettingsRecord Settings;

    // A new entry: the defaults above with the settings a new record gets on the drives present.
    static ScheduleEntry New(const SettingsContext& context);

    // Copies what the user edits (name, kind, date, weekdays, pattern, start time, settings);
    // LastFired, HasRun and LastRunDate keep this entry's values.
    void CopyFrom(const ScheduleEntry& other);

    // Whether the entry fires at now, the local time. An entry fires at most once a calendar
    // day while the program runs: a true answer notes now as LastFired.
    bool IsDue(const DateTime& now);
    // A scheduled run has been started from the entry today.
    void MarkRun(const DateTime& today);
    // The entry may be registered: it has a name and something to run.
    bool HasWork() const;
    // The entry starts a drive-unit run; a file/directory run (items or whole drives).
    bool RunsDriveUnit() const;
    bool RunsFileDir() const;
};

}  // namespace tv
