// The bytes of "sch.dat": the layout of two entries byte for byte, how stored dates and times
// read back, and where a damaged or cut file stops.
#include "schedule/schedule_file.h"

#include <gtest/gtest.h>

#include "tests/schedule/schedule_samples.h"
#include "tests/settings/option_bytes.h"
#include "tests/settings/settings_world.h"

namespace tv::test {
namespace {

using namespace std::string_literals;

class ScheduleFile : public ::testing::Test {
  protected:
    ScheduleFile() { settings.world().AddDrive('C', kDriveFixed, 0x1234ABCD); }
    const SettingsContext& context() const { return settings.context(); }
    EntryBytes Weekly() const { return WeeklySampleBytes(context()); }
    EntryBytes Once() const { return OnceSampleBytes(context()); }

    std::vector<ScheduleEntry> Read(const std::string& bytes) {
        std::vector<ScheduleEntry> entries;
        EXPECT_TRUE(ReadScheduleFile(bytes, context(), &entries));
        return entries;
    }
    std::vector<std::string> NamesRead(const std::string& bytes) {
        std::vector<std::string> names;
        for (const ScheduleEntry& entry : Read(bytes)) names.push_back(entry.Name);
        return names;
    }
    // The one entry of a file holding once with its run date and start time replaced.
    ScheduleEntry ReadWithDateAndTime(int32_t runDate, int32_t startTime) {
        EntryBytes once = Once();
        once.runDate = I32(runDate);
        once.startTime = I32(startTime);
        std::vector<ScheduleEntry> entries = Read(FileBytesOf(1, {once}));
        EXPECT_EQ(1u, entries.size());
        return entries.empty() ? ScheduleEntry() : entries[0];
    }

    SettingsWorld settings;
};

TEST_F(ScheduleFile, TwoEntriesByteForByte) {
    const std::string expected = "\x02\0\0\0"s + Weekly().All() + Once().All();
    std::string bytes;
    ASSERT_TRUE(WriteScheduleFile({WeeklySample(context()), OnceSample(context())}, &bytes));
    EXPECT_EQ(expected, bytes);

    const std::vector<ScheduleEntry> read = Read(expected);
    ASSERT_EQ(2u, read.size());
    ExpectSameEntry(WeeklySample(context()), read[0]);
    ExpectSameEntry(OnceSample(context()), read[1]);
}

TEST_F(ScheduleFile, FourZeroBytesAreAnEmptyList) {
    std::vector<ScheduleEntry> entries = {WeeklySample(context())};
    ASSERT_TRUE(ReadScheduleFile("\0\0\0\0"s, context(), &entries));
    EXPECT_TRUE(entries.empty());
}

TEST_F(ScheduleFile, WithoutAWholeCountNothingIsRead) {
    for (const std::string& bytes : {""s, "\x01\0\0"s}) {
        std::vector<ScheduleEntry> entries = {WeeklySample(context())};
        EXPECT_FALSE(ReadScheduleFile(bytes, context(), &entries)) << bytes.size() << " bytes";
        EXPECT_EQ(1u, entries.size());
    }
}

TEST_F(ScheduleFile, StoredDatesAndTimesReadBack) {
    struct Case {
        const char* name;
        int32_t runDate;
        int32_t startTime;
        DateTime expectedDate;
        DateTime expectedTime;
    };
    const Case cases[] = {
        {"last day of the year", 20051231, 0, DateTime::FromParts(2005, 12, 31),
         DateTime::FromTime(0, 0)},
        {"31 February", 20050231, 1439, DateTime::Invalid(), DateTime::FromTime(23, 59)},
        {"month 13", 20051301, 720, DateTime::Invalid(), DateTime::FromTime(12, 0)},
        {"day 0", 20050700, 61, DateTime::Invalid(), DateTime::FromTime(1, 1)},
        {"unset", -10101, -61, DateTime::Invalid(), DateTime::Invalid()},
        {"minute -1", 20050701, -1, DateTime::FromParts(2005, 7, 1), DateTime::Invalid()},
        {"minute 1440, hour 24", 20050701, 1440, DateTime::FromParts(2005, 7, 1),
         DateTime::Invalid()},
    };
    for (const Case& c : cases) {
        const ScheduleEntry entry = ReadWithDateAndTime(c.runDate, c.startTime);
        EXPECT_EQ(c.expectedDate, entry.RunDate) << c.name;
        EXPECT_EQ(c.expectedTime, entry.StartTime) << c.name;
    }
}

TEST_F(ScheduleFile, ThirtyFirstOfFebruaryNeverFires) {
    ScheduleEntry entry = ReadWithDateAndTime(20050231, 720);
    for (const DateTime& day :
         {DateTime::FromParts(2005, 2, 28, 12, 0), DateTime::FromParts(2005, 3, 3, 12, 0)}) {
        EXPECT_FALSE(entry.IsDue(day)) << day.Format("%Y-%m-%d");
    }
}

TEST_F(ScheduleFile, AFileCutInsideTheSecondEntryKeepsTheFirst) {
    const std::string whole = FileBytesOf(2, {Weekly(), Once()});
    const size_t second = 4 + Weekly().All().size();
    const size_t cuts[] = {second + 2,      second + 10, second + 17,
                           second + 26,     second + 30, second + Once().HeadSize() + 100,
                           whole.size() - 1};
    for (size_t cut : cuts) {
        EXPECT_EQ(std::vector<std::string>{"週次"}, NamesRead(whole.substr(0, cut)))
            << "cut at " << cut;
    }
}

TEST_F(ScheduleFile, ADamagedItemEndsTheListBeforeItsEntry) {
    struct Case {
        const char* name;
        std::string EntryBytes::*item;
        std::string bytes;
    };
    const Case cases[] = {
        {"name length 0", &EntryBytes::nameLength, I32(0)},
        {"negative name length", &EntryBytes::nameLength, I32(-1)},
        {"name length 2048", &EntryBytes::nameLength, I32(2048)},
        {"huge name length", &EntryBytes::nameLength, I32(0x7FFFFFFF)},
        {"kind 2", &EntryBytes::kind, "\x02"s},
        {"pattern 4", &EntryBytes::pattern, "\x04"s},
        {"settings starting with a negative length", &EntryBytes::settings, I32(-5)},
    };
    for (const Case& c : cases) {
        EntryBytes damaged = Once();
        damaged.*c.item = c.bytes;
        const std::string bytes = FileBytesOf(3, {Weekly(), damaged, Weekly()});
        EXPECT_EQ(std::vector<std::string>{"週次"}, NamesRead(bytes)) << c.name;
    }
}

TEST_F(ScheduleFile, TheCountBoundsTheEntriesButNeverSizesTheList) {
    struct Case {
        int32_t count;
        std::vector<std::string> names;
    };
    const Case cases[] = {
        {-1, {}},
        {INT32_MIN, {}},
        {1, {"週次"}},
        {2, {"週次", "今回のみ"}},
        {3, {"週次", "今回のみ"}},
        {INT32_MAX, {"週次", "今回のみ"}},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(c.names, NamesRead(FileBytesOf(c.count, {Weekly(), Once()})))
            << "count " << c.count;
    }
}

TEST_F(ScheduleFile, NamesOfOneTo2047BytesAreWrittenAndOthersRefused) {
    struct Case {
        size_t length;
        bool written;
    };
    for (const Case& c : {Case{0, false}, Case{1, true}, Case{2047, true}, Case{2048, false}}) {
        ScheduleEntry entry = WeeklySample(context());
        entry.Name = std::string(c.length, 'n');
        std::string bytes = "untouched";
        EXPECT_EQ(c.written, WriteScheduleFile({entry}, &bytes)) << c.length;
        if (!c.written) {
            EXPECT_EQ("untouched", bytes) << c.length;
            continue;
        }
        const std::vector<ScheduleEntry> read = Read(bytes);
        ASSERT_EQ(1u, read.size()) << c.length;
        EXPECT_EQ(entry.Name, read[0].Name);
    }
}

TEST_F(ScheduleFile, OddFlagAndMaskBytesReadAsTheirMeaning) {
    EntryBytes once = Once();
    once.hasRun = "\x02"s;    // any non-zero flag has run and carries the run date
    once.weekdays = "\xc1"s;  // bit 7 names no weekday
    const std::vector<ScheduleEntry> read = Read(FileBytesOf(1, {once}));
    ASSERT_EQ(1u, read.size());
    EXPECT_TRUE(read[0].HasRun);
    EXPECT_EQ(DateTime::FromParts(2005, 7, 1), read[0].LastRunDate);
    EXPECT_EQ(0x41, read[0].Weekdays);
}

}  // namespace
}  // namespace tv::test
