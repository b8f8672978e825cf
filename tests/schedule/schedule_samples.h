// Two schedules and their "sch.dat" bytes written out by hand, item by item, so that a test can
// damage one item; and a comparison of whole entries that names every field that differs.
#pragma once

#include <string>
#include <vector>

#include "schedule/schedule_entry.h"
#include "settings/settings_context.h"

namespace tv::test {

// A Monday-and-Sunday entry that has never run, and a ByDate entry for 2005-12-31 that ran on
// 2005-07-01, with a source folder of its own.
ScheduleEntry WeeklySample(const SettingsContext& context);
ScheduleEntry OnceSample(const SettingsContext& context);

// The body WriteOptionBody gives for a record.
std::string SettingsBytes(const SettingsRecord& record);

struct EntryBytes {
    std::string nameLength;
    std::string name;
    std::string kind;
    std::string runDate;
    std::string weekdays;
    std::string pattern;
    std::string startTime;
    std::string hasRun;
    std::string lastRunDate;  // present only when hasRun is not 0
    std::string settings;

    std::string All() const;
    size_t HeadSize() const { return All().size() - settings.size(); }
};

EntryBytes WeeklySampleBytes(const SettingsContext& context);
EntryBytes OnceSampleBytes(const SettingsContext& context);

// The entry count as four little-endian bytes, then the entries.
std::string FileBytesOf(int32_t count, const std::vector<EntryBytes>& entries);

void ExpectSameEntry(const ScheduleEntry& expected, const ScheduleEntry& actual);

}  // namespace tv::test
