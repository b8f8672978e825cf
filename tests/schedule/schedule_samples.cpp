#include "tests/schedule/schedule_samples.h"

#include <gtest/gtest.h>

#include "settings/option_body.h"
#include "tests/settings/option_bytes.h"

namespace tv::test {

using namespace std::string_literals;

ScheduleEntry WeeklySample(const SettingsContext& context) {
    ScheduleEntry entry = ScheduleEntry::New(context);
    entry.Name = "週次";
    entry.Weekdays = 0x41;
    entry.Settings.Synchronize = 1;
    return entry;
}

ScheduleEntry OnceSample(const SettingsContext& context) {
    ScheduleEntry entry = ScheduleEntry::New(context);
    entry.Name = "今回のみ";
    entry.Kind = ScheduleKind::ByDate;
    entry.RunDate = DateTime::FromParts(2005, 12, 31);
    entry.Pattern = RepeatPattern::Once;
    entry.StartTime = DateTime::FromTime(23, 59);
    entry.HasRun = true;
    entry.LastRunDate = DateTime::FromParts(2005, 7, 1);
    entry.Settings.FileList = {"/データ"};
    return entry;
}

std::string SettingsBytes(const SettingsRecord& record) {
    std::string bytes;
    EXPECT_TRUE(WriteOptionBody(record, &bytes));
    return bytes;
}

std::string EntryBytes::All() const {
    return nameLength + name + kind + runDate + weekdays + pattern + startTime + hasRun +
           lastRunDate + settings;
}

EntryBytes WeeklySampleBytes(const SettingsContext& context) {
    return EntryBytes{
        "\x06\0\0\0"s,
        "週次",
        "\x01"s,
        "\x8b\xd8\xff\xff"s,  // no date: -10101
        "\x41"s,
        "\x01"s,
        "\xd0\x02\0\0"s,  // 12:00 is minute 720
        "\0"s,
        "",
        SettingsBytes(WeeklySample(context).Settings),
    };
}

EntryBytes OnceSampleBytes(const SettingsContext& context) {
    return EntryBytes{
        "\x0c\0\0\0"s,
        "今回のみ",
        "\0"s,
        "\x1f\xf5\x31\x01"s,  // 20051231
        "\x7f"s,
        "\0"s,
        "\x9f\x05\0\0"s,  // 23:59 is minute 1439
        "\x01"s,
        "\x0d\xf3\x31\x01"s,  // 20050701
        SettingsBytes(OnceSample(context).Settings),
    };
}

std::string FileBytesOf(int32_t count, const std::vector<EntryBytes>& entries) {
    std::string bytes = I32(count);
    for (const EntryBytes& entry : entries) bytes += entry.All();
    return bytes;
}

void ExpectSameEntry(const ScheduleEntry& expected, const ScheduleEntry& actual) {
    EXPECT_EQ(expected.LastFired, actual.LastFired) << "LastFired";
    EXPECT_EQ(expected.Name, actual.Name) << "Name";
    EXPECT_EQ(expected.Kind, actual.Kind) << "Kind";
    EXPECT_EQ(expected.RunDate, actual.RunDate) << "RunDate";
    EXPECT_EQ(expected.Weekdays, actual.Weekdays) << "Weekdays";
    EXPECT_EQ(expected.Pattern, actual.Pattern) << "Pattern";
    EXPECT_EQ(expected.StartTime, actual.StartTime) << "StartTime";
    EXPECT_EQ(expected.HasRun, actual.HasRun) << "HasRun";
    EXPECT_EQ(expected.LastRunDate, actual.LastRunDate) << "LastRunDate";
    EXPECT_EQ(SettingsBytes(expected.Settings), SettingsBytes(actual.Settings)) << "Settings";
}

}  // namespace tv::test
