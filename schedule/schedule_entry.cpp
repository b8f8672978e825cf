#include "schedule/schedule_entry.h"

#include "schedule/repeat_spacing.h"
#include "settings/copy_settings.h"
#include "settings/settings_defaults.h"

namespace tv {
namespace {

// Unset dates have every part -1, so they are compared only when both are set.
bool SameCalendarDate(const DateTime& a, const DateTime& b) {
    return a.IsValid() && b.IsValid() && a.Year() == b.Year() && a.Month() == b.Month() &&
           a.Day() == b.Day();
}

bool SameMinuteOfDay(const DateTime& a, const DateTime& b) {
    return a.IsValid() && b.IsValid() && a.Hour() == b.Hour() && a.Minute() == b.Minute();
}

bool InWeekdayMask(WeekdayMask mask, const DateTime& date) {
    const int index = WeekdayIndex(date);
    return index >= 0 && (mask & (1u << index)) != 0;
}

}  // namespace

ScheduleEntry ScheduleEntry::New(const SettingsContext& context) {
    ScheduleEntry entry;
    entry.Settings = DefaultSettings(context);
    return entry;
}

void ScheduleEntry::CopyFrom(const ScheduleEntry& other) {
    Name = other.Name;
    Kind = other.Kind;
    RunDate = other.RunDate;
    Weekdays = other.Weekdays;
    Pattern = other.Pattern;
    StartTime = other.StartTime;
    CopySettings(other.Settings, Settings);
}

bool ScheduleEntry::IsDue(const DateTime& now) {
    if (!now.IsValid() || SameCalendarDate(LastFired, now)) return false;
    if (Kind == ScheduleKind::ByDate) {
        if (!SameCalendarDate(RunDate, now)) return false;
    } else {
        if (!InWeekdayMask(Weekdays, now)) return false;
        if (HasRun && !SpacingAllowsRun(Pattern, LastRunDate, now)) return false;
    }
    if (!SameMinuteOfDay(StartTime, now)) return false;
    LastFired = now;
    return true;
}

void ScheduleEntry::MarkRun(const DateTime& today) {
    HasRun = true;
    LastRunDate = DateTime::FromParts(today.Year(), today.Month(), today.Day());
}

bool ScheduleEntry::HasWork() const { return !Name.empty() && (RunsDriveUnit() || RunsFileDir()); }

bool ScheduleEntry::RunsDriveUnit() const { return Settings.Synchronize != 0; }

bool ScheduleEntry::RunsFileDir() const {
    if (!Settings.FileList.empty()) return true;
    for (const DriveEntry& drive : Settings.Drives) {
        if (drive.Work == DriveWork::UnitSource) return true;
    }
    return false;
}

}  // namespace tv
