// The list of schedules: its file in the program folder, the removal of spent Once entries, the
// editor's replace, and which entries have work to register.
#include "schedule/schedule_list.h"

#include <gtest/gtest.h>

#include "platform/paths.h"
#include "schedule/schedule_file.h"
#include "tests/schedule/schedule_samples.h"
#include "tests/settings/settings_world.h"
#include "tests/support/file_bytes.h"

namespace tv::test {
namespace {

using namespace std::string_literals;
using Names = std::vector<std::string>;

class ScheduleListTest : public ::testing::Test {
  protected:
    ScheduleListTest() { settings.world().AddDrive('C', kDriveFixed, 0x1234ABCD); }
    const SettingsContext& context() const { return settings.context(); }
    std::string ProgramDir() const { return settings.world().programDir(); }
    std::string FilePath() const { return JoinPath(ProgramDir(), "sch.dat"); }

    ScheduleEntry Named(const std::string& name, RepeatPattern pattern, bool hasRun) {
        ScheduleEntry entry = WeeklySample(context());
        entry.Name = name;
        entry.Pattern = pattern;
        entry.HasRun = hasRun;
        return entry;
    }
    static Names NamesOf(const ScheduleList& list) {
        Names names;
        for (size_t i = 0; i < list.Count(); ++i) names.push_back(list.At(i).Name);
        return names;
    }

    SettingsWorld settings;
};

TEST_F(ScheduleListTest, SaveWritesTheFileBytesAndLoadReadsThemBack) {
    ScheduleList list(ProgramDir());
    list.Append(WeeklySample(context()));
    list.Append(OnceSample(context()));
    ASSERT_TRUE(list.Save());
    EXPECT_EQ(FileBytesOf(2, {WeeklySampleBytes(context()), OnceSampleBytes(context())}),
              FileBytes(FilePath()));

    ScheduleList loaded(ProgramDir());
    ASSERT_TRUE(loaded.Load(context()));
    ASSERT_EQ(2u, loaded.Count());
    ExpectSameEntry(WeeklySample(context()), loaded.At(0));
    ExpectSameEntry(OnceSample(context()), loaded.At(1));
}

TEST_F(ScheduleListTest, LoadWithoutAReadableFileKeepsTheList) {
    ScheduleList list(ProgramDir());
    list.Append(WeeklySample(context()));
    EXPECT_FALSE(list.Load(context()));   // no file yet
    PutFileBytes(FilePath(), "\x01\0"s);  // not even a count
    EXPECT_FALSE(list.Load(context()));
    EXPECT_EQ(Names{"週次"}, NamesOf(list));
}

TEST_F(ScheduleListTest, LoadReplacesTheListWithTheWholeEntries) {
    EntryBytes damaged = OnceSampleBytes(context());
    damaged.nameLength = "\0\0\0\0"s;
    PutFileBytes(FilePath(), FileBytesOf(2, {WeeklySampleBytes(context()), damaged}));
    ScheduleList list(ProgramDir());
    list.Append(Named("古い", RepeatPattern::Weekly, false));
    ASSERT_TRUE(list.Load(context()));
    EXPECT_EQ(Names{"週次"}, NamesOf(list));
}

TEST_F(ScheduleListTest, ASaveThatCannotBeWrittenLeavesTheOldFile) {
    ScheduleList list(ProgramDir());
    list.Append(WeeklySample(context()));
    ASSERT_TRUE(list.Save());
    const std::string before = FileBytes(FilePath());
    list.At(0).Name.clear();  // an entry the file cannot hold
    EXPECT_FALSE(list.Save());
    EXPECT_EQ(before, FileBytes(FilePath()));
}

TEST_F(ScheduleListTest, RemoveSpentOnceTakesOnlyOnceEntriesThatRan) {
    ScheduleList list(ProgramDir());
    list.Append(Named("once, ran", RepeatPattern::Once, true));
    list.Append(Named("once, waiting", RepeatPattern::Once, false));
    list.Append(Named("weekly, ran", RepeatPattern::Weekly, true));
    list.Append(Named("once, ran 2", RepeatPattern::Once, true));
    list.Append(Named("once, ran 3", RepeatPattern::Once, true));
    list.Append(Named("monthly, ran", RepeatPattern::Monthly, true));
    list.RemoveSpentOnce();
    EXPECT_EQ((Names{"once, waiting", "weekly, ran", "monthly, ran"}), NamesOf(list));
}

TEST_F(ScheduleListTest, ReplaceTakesWhatTheUserEditsAndKeepsTheRunState) {
    ScheduleList list(ProgramDir());
    ScheduleEntry ran = WeeklySample(context());
    ran.MarkRun(DateTime::FromParts(2005, 7, 4, 12, 0));
    ASSERT_TRUE(ran.IsDue(DateTime::FromParts(2005, 7, 10, 12, 0)));
    ran.Settings.HDBackupDrive = 7;
    list.Append(ran);

    ScheduleEntry edited = OnceSample(context());
    edited.HasRun = false;
    edited.LastRunDate = DateTime::Invalid();
    edited.Settings.HDBackupDrive = 2;
    list.Replace(0, edited);

    ScheduleEntry expected = edited;
    expected.LastFired = ran.LastFired;
    expected.HasRun = true;
    expected.LastRunDate = DateTime::FromParts(2005, 7, 4);
    ExpectSameEntry(expected, list.At(0));
    EXPECT_EQ(7, list.At(0).Settings.HDBackupDrive);  // the settings copy keeps it
}

TEST_F(ScheduleListTest, IndexesPastTheEndChangeNothing) {
    ScheduleList list(ProgramDir());
    list.Append(WeeklySample(context()));
    list.Replace(1, OnceSample(context()));
    list.RemoveAt(1);
    EXPECT_EQ(Names{"週次"}, NamesOf(list));
    list.RemoveAt(0);
    EXPECT_EQ(0u, list.Count());
}

TEST_F(ScheduleListTest, AnEntryHasWorkWithANameAndSomethingToRun) {
    struct Case {
        const char* name;
        std::string entryName;
        int32_t synchronize;
        std::vector<std::string> fileList;
        DriveWork driveC;
        bool driveUnit;
        bool fileDir;
        bool hasWork;
    };
    const Case cases[] = {
        {"nothing to run", "a", 0, {}, DriveWork::NotSource, false, false, false},
        {"drive unit", "a", 1, {}, DriveWork::NotSource, true, false, true},
        {"listed folder", "a", 0, {"/src"}, DriveWork::NotSource, false, true, true},
        {"whole drive", "a", 0, {}, DriveWork::UnitSource, false, true, true},
        {"both", "a", 1, {"/src"}, DriveWork::NotSource, true, true, true},
        {"no name", "", 1, {"/src"}, DriveWork::UnitSource, true, true, false},
    };
    for (const Case& c : cases) {
        ScheduleEntry entry = ScheduleEntry::New(context());
        entry.Name = c.entryName;
        entry.Settings.Synchronize = c.synchronize;
        entry.Settings.FileList = c.fileList;
        entry.Settings.Drives[2].Work = c.driveC;
        EXPECT_EQ(c.driveUnit, entry.RunsDriveUnit()) << c.name;
        EXPECT_EQ(c.fileDir, entry.RunsFileDir()) << c.name;
        EXPECT_EQ(c.hasWork, entry.HasWork()) << c.name;
    }
}

TEST_F(ScheduleListTest, ANewEntryTakesTheDefaults) {
    const ScheduleEntry entry = ScheduleEntry::New(context());
    EXPECT_EQ(DateTime::FromTime(0, 0), entry.LastFired);
    EXPECT_EQ("スケジュール", entry.Name);
    EXPECT_EQ(ScheduleKind::ByWeekday, entry.Kind);
    EXPECT_FALSE(entry.RunDate.IsValid());
    EXPECT_EQ(0x7F, entry.Weekdays);
    EXPECT_EQ(RepeatPattern::Weekly, entry.Pattern);
    EXPECT_EQ(DateTime::FromTime(12, 0), entry.StartTime);
    EXPECT_FALSE(entry.HasRun);
    EXPECT_FALSE(entry.LastRunDate.IsValid());
    EXPECT_EQ(SettingsBytes(DefaultSettings(context())), SettingsBytes(entry.Settings));
}

}  // namespace
}  // namespace tv::test
