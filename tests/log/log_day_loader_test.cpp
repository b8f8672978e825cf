#include "log/log_day_loader.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "log/log_day_list.h"
#include "log/log_rows.h"
#include "platform/paths.h"
#include "tests/support/file_bytes.h"
#include "tests/support/file_step_record.h"
#include "tests/support/test_world.h"

namespace tv {
namespace {

using test::FileStepRecord;

constexpr const char* kDay = "2005/07/01";

LogRecord Record(const std::string& time, const std::string& action, const std::string& work,
                 const std::string& result) {
    return FileStepRecord(kDay, time, action, work, result);
}

LogRecord Copied(const std::string& time, const std::string& result = "ＯＫ") {
    return Record(time, "ファイル作成", "バックアップ", result);
}

class LogDayLoaderTest : public ::testing::Test {
  protected:
    void Write(const std::vector<LogRecord>& records) {
        LogStore writer(world_.programDir());
        for (const LogRecord& record : records) ASSERT_TRUE(writer.Append(record));
    }
    // Steps until the load ends; the rows each step made visible.
    std::vector<size_t> LoadAll(const LogLoadBudget& budget) {
        std::vector<size_t> steps;
        while (loader_.Loading()) steps.push_back(loader_.Step(budget));
        return steps;
    }
    std::vector<std::string> Times() const {
        std::vector<std::string> times;
        for (size_t row = 0; row < loader_.RowCount(); ++row) {
            times.push_back(loader_.Row(row).time);
        }
        return times;
    }

    std::string DayFile() const {
        return JoinPath(JoinPath(world_.programDir(), "Log"), "20050701.txt");
    }

    test::TestWorld world_;
    LogDayLoader loader_{world_.programDir()};
};

TEST_F(LogDayLoaderTest, TwentyFiveRecordsLoadInStepsOfTenAndEndNewestFirst) {
    std::vector<LogRecord> records;
    std::vector<std::string> newestFirst;
    for (int second = 0; second < 25; ++second) {
        const std::string time =
            "10:00:" + std::string(second < 10 ? "0" : "") + std::to_string(second);
        records.push_back(Copied(time));
        newestFirst.insert(newestFirst.begin(), time);
    }
    Write(records);

    ASSERT_TRUE(loader_.Start(kDay));
    EXPECT_EQ(loader_.Step(kTenRecordsPerStep), 10u);
    EXPECT_EQ(loader_.Row(0).time, "10:00:00");  // file order while loading
    EXPECT_EQ(loader_.Step(kTenRecordsPerStep), 10u);
    EXPECT_TRUE(loader_.Loading());
    loader_.Step(kTenRecordsPerStep);
    EXPECT_FALSE(loader_.Loading());
    EXPECT_EQ(loader_.VisibleRowCount(), 25u);
    EXPECT_EQ(Times(), newestFirst);
    EXPECT_EQ(loader_.Counters(), (LogCounters{25, 0, 0, 0}));

    // A time-bounded budget reads the same day in one step.
    ASSERT_TRUE(loader_.Start(kDay));
    EXPECT_EQ(LoadAll(kTimeBoundedStep).size(), 1u);
    EXPECT_EQ(Times(), newestFirst);
}

TEST_F(LogDayLoaderTest, RowsWithAResultComeFirstThenTheLaterTime) {
    LogStore writer(world_.programDir());
    ASSERT_TRUE(writer.AppendRecognition(kDay, "Compact Flash", "11:00:00"));
    ASSERT_TRUE(writer.Append(Copied("09:00:00", "エラー")));
    ASSERT_TRUE(writer.Append(Copied("10:00:00")));
    ASSERT_TRUE(writer.Append(Copied("08:00:00", " スキップ ")));  // trimmed, still a result
    writer.Close();

    ASSERT_TRUE(loader_.Start(kDay));
    LoadAll(kTenRecordsPerStep);
    EXPECT_EQ(Times(), (std::vector<std::string>{"10:00:00", "09:00:00", "08:00:00", "11:00:00"}));
}

// Times compare as whole byte strings, beyond their first eight bytes too; equal records keep
// their file order.
TEST_F(LogDayLoaderTest, TheOrderComparesWholeTimesAndKeepsEqualRecordsInFileOrder) {
    LogRows rows;
    for (const char* time : {"10:00:00", "10:00:00.5", "10:00:00", "", "10:00:00.50", "9"}) {
        rows.push_back(Copied(time));
    }
    rows.push_back(Copied("23:00:00", "\t "));  // no result once trimmed
    EXPECT_EQ(LogRowOrder(rows), (std::vector<size_t>{5, 4, 1, 0, 2, 3, 6}));
}

TEST_F(LogDayLoaderTest, CountersFollowTheWrittenFilesOnly) {
    const struct {
        const char* name;
        LogRecord record;
        LogCounters expected;
    } cases[] = {
        {"deleted counts nothing", Record("10:00:00", "削除", "ミラーリング", "エラー"), {}},
        {"backup skipped", Copied("10:00:00", "スキップ"), {1, 0, 1, 0}},
        {"mirroring failed",
         Record("10:00:00", "ファイル作成", "ミラーリング", "エラー"),
         {0, 1, 0, 1}},
        {"cancelled is no skip", Copied("10:00:00", "中止"), {1, 0, 0, 0}},
        {"folder created", Record("10:00:00", "フォルダ作成", "バックアップ", "ＯＫ"), {}},
        {"unknown work", Record("10:00:00", "ファイル作成", "手動", "ＯＫ"), {}},
    };
    for (const auto& c : cases) {
        LogCounters counters;
        CountLogRecord(c.record, &counters);
        EXPECT_EQ(counters, c.expected) << c.name;
    }
}

TEST_F(LogDayLoaderTest, RowIconsFollowTheResult) {
    const struct {
        const char* result;
        LogRowIcon icon;
    } cases[] = {
        {"ＯＫ", LogRowIcon::Ok},
        {"ゴミ箱に移動", LogRowIcon::Ok},
        {" ", LogRowIcon::Ok},
        {"エラー", LogRowIcon::Error},
        {"スキップ", LogRowIcon::Skipped},
        {"中止", LogRowIcon::Skipped},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(LogRowIconOf(Copied("10:00:00", c.result)), c.icon) << c.result;
    }
}

TEST_F(LogDayLoaderTest, ADayWithoutAFileIsEmptyAndOtherDatesOnlyShowAtTheEnd) {
    EXPECT_FALSE(loader_.Start(kDay));
    EXPECT_FALSE(loader_.Loading());
    EXPECT_EQ(loader_.Step(kTenRecordsPerStep), 0u);
    EXPECT_EQ(loader_.RowCount(), 0u);
    EXPECT_EQ(loader_.Counters(), LogCounters{});

    // A hand-copied line of another date is read but neither counted nor shown while loading.
    test::PutFileBytes(JoinPath(JoinPath(world_.programDir(), "Log"), "20050701.txt"),
                       "2005/06/30\tFile/Directory\t \tE\t自動\tバックアップ\tファイル作成\t"
                       "a\t/s\t/d\t10:00:00\tＯＫ\r\n");
    ASSERT_TRUE(loader_.Start(kDay));
    EXPECT_EQ(loader_.Step({1, {}}), 0u);
    EXPECT_EQ(loader_.Counters(), LogCounters{});
    loader_.Step(kTenRecordsPerStep);
    EXPECT_EQ(loader_.VisibleRowCount(), 1u);
}

// The viewer must never make a run drop a record: a day being read takes what a run appends.
TEST_F(LogDayLoaderTest, ARecordAppendedWhileTheDayIsOpenIsStoredAndSeenNextTime) {
    Write({Copied("10:00:00"), Copied("10:00:01")});
    ASSERT_TRUE(loader_.Start(kDay));
    loader_.Step({1, {}});
    ASSERT_TRUE(loader_.Loading());

    LogStore run(world_.programDir());
    EXPECT_TRUE(run.Append(Copied("10:00:02")));
    LoadAll(kTenRecordsPerStep);

    // Read again while the run still holds the file.
    ASSERT_TRUE(loader_.Start(kDay));
    LoadAll(kTenRecordsPerStep);
    EXPECT_EQ(Times(), (std::vector<std::string>{"10:00:02", "10:00:01", "10:00:00"}));
    EXPECT_TRUE(run.Append(Copied("10:00:03")));
}

// A name in another encoding with a terminal escape in it: the line stays UTF-8, the name shows
// its bytes, and every other field, the error count among them, is as written.
TEST_F(LogDayLoaderTest, ACp932NameWithAnEscapeLeavesTheOtherFieldsAndTheErrorCount) {
    LogRecord failed = Record("10:00:00", "ファイル作成", "バックアップ", "エラー");
    failed.name = "\x83\x65\x83\x58\x83\x67\x1b[2J.txt";
    failed.source = "/src/" + failed.name;
    Write({failed});
    EXPECT_EQ(test::FileBytes(DayFile()),
              "2005/07/01\tFile/Directory\t \tE\t自動\tバックアップ\tファイル作成\t"
              R"(\x83e\x83X\x83g\x1B[2J.txt)"
              "\t"
              R"(/src/\x83e\x83X\x83g\x1B[2J.txt)"
              "\t/dst/a.txt\t10:00:00\tエラー\r\n");

    ASSERT_TRUE(loader_.Start(kDay));
    LoadAll(kTenRecordsPerStep);
    EXPECT_EQ(loader_.Counters(), (LogCounters{1, 0, 0, 1}));
    LogRecord shown = failed;
    shown.name = R"(\x83e\x83X\x83g\x1B[2J.txt)";
    shown.source = "/src/" + shown.name;
    ASSERT_EQ(loader_.RowCount(), 1u);
    EXPECT_EQ(test::LogFields(loader_.Row(0)), test::LogFields(shown));
}

// Older versions wrote the name's bytes as they were, beside UTF-8 words.
TEST_F(LogDayLoaderTest, AnOlderDayFileWithARawCp932NameKeepsItsErrorCounted) {
    test::PutFileBytes(DayFile(),
                       "2005/07/01\tFile/Directory\t \tE\t自動\tミラーリング\tファイル作成\t"
                       "\x83\x65\x83\x58\x83\x67\x1b[2J.txt\t/src/\x83\x65\x83\x58\x83\x67\t"
                       "/dst/\xff\t10:00:00\tエラー\r\n");
    ASSERT_TRUE(loader_.Start(kDay));
    LoadAll(kTenRecordsPerStep);
    EXPECT_EQ(loader_.Counters(), (LogCounters{0, 1, 0, 1}));
    LogRecord shown = Record("10:00:00", "ファイル作成", "ミラーリング", "エラー");
    shown.name = "テスト\x1b[2J.txt";
    shown.source = "/src/テスト";
    shown.destination = "/dst/\xef\xbf\xbd";  // U+FFFD for a byte CP932 cannot read
    ASSERT_EQ(loader_.RowCount(), 1u);
    EXPECT_EQ(test::LogFields(loader_.Row(0)), test::LogFields(shown));
}

TEST_F(LogDayLoaderTest, TheDayListHasTheHeadingThenTheDaysOldestFirst) {
    const std::string folder = JoinPath(world_.programDir(), "Log");
    for (const char* name : {"20050702.txt", "20041231.txt", "20050701.txt", "notes.txt"}) {
        test::PutFileBytes(JoinPath(folder, name), "");
    }
    const std::vector<std::string> items = LogDayListItems(LogStore(world_.programDir()));
    EXPECT_EQ(items,
              (std::vector<std::string>{"作成日", "2004/12/31", "2005/07/01", "2005/07/02"}));
    EXPECT_EQ(LogDayListIndexOf(items, "2005/07/01"), 2);
    EXPECT_EQ(LogDayListIndexOf(items, "2005/07/03"), -1);
}

}  // namespace
}  // namespace tv
