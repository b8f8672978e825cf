#include "log/log_store.h"

#include <gtest/gtest.h>
#include <sys/resource.h>
#include <unistd.h>

#include <algorithm>
#include <filesystem>

#include "log/flat_log.h"
#include "platform/paths.h"
#include "tests/support/file_bytes.h"
#include "tests/support/file_step_record.h"
#include "tests/support/full_disk.h"
#include "tests/support/test_world.h"

namespace tv {
namespace {

using test::FileBytes;
using test::FileStepRecord;
using test::PutFileBytes;

LogRecord CopiedFile(const std::string& date, const std::string& time) {
    LogRecord r = FileStepRecord(date, time, "ファイル作成", "バックアップ", "ＯＫ");
    r.recognition.clear();  // written as the blank an empty field becomes
    r.destination.clear();
    return r;
}

class LogStoreTest : public ::testing::Test {
  protected:
    std::string LogFile(const std::string& name) const {
        return JoinPath(JoinPath(world_.programDir(), "Log"), name);
    }
    test::TestWorld world_;
    LogStore store_{world_.programDir()};
};

TEST_F(LogStoreTest, WritesTabSeparatedLinesWithBlanksForEmptyFields) {
    ASSERT_TRUE(store_.Append(CopiedFile("2005/07/01", "09:30:00")));
    ASSERT_TRUE(store_.AppendRecognition("2005/07/01", "Compact Flash", "09:31:00"));
    LogRecord unsafe = CopiedFile("2005/07/01", "09:32:00");
    unsafe.name = "a\tb\nc\r";
    ASSERT_TRUE(store_.Append(unsafe));
    store_.Close();

    EXPECT_EQ(FileBytes(LogFile("20050701.txt")),
              "2005/07/01\tFile/Directory\t \tE\t自動\tバックアップ\tファイル作成\ta.txt\t"
              "/src/a.txt\t \t09:30:00\tＯＫ\r\n"
              "2005/07/01\tドライブの認識\tCompact Flash\t \t \t \t \t \t \t \t09:31:00\t \r\n"
              "2005/07/01\tFile/Directory\t \tE\t自動\tバックアップ\tファイル作成\ta b c \t"
              "/src/a.txt\t \t09:32:00\tＯＫ\r\n");
}

TEST_F(LogStoreTest, EachRecordGoesToTheFileOfItsOwnDateAndReopeningAppends) {
    ASSERT_TRUE(store_.Append(CopiedFile("2005/07/01", "23:59:59")));
    ASSERT_TRUE(store_.Append(CopiedFile("2005/07/02", "00:00:01")));
    LogStore restarted(world_.programDir());
    store_.Close();
    ASSERT_TRUE(restarted.Append(CopiedFile("2005/07/02", "00:00:02")));
    restarted.Close();

    const std::string middle =
        "\tFile/Directory\t \tE\t自動\tバックアップ\tファイル作成\ta.txt\t/src/a.txt\t \t";
    EXPECT_EQ(FileBytes(LogFile("20050701.txt")), "2005/07/01" + middle + "23:59:59\tＯＫ\r\n");
    EXPECT_EQ(FileBytes(LogFile("20050702.txt")), "2005/07/02" + middle + "00:00:01\tＯＫ\r\n" +
                                                      "2005/07/02" + middle + "00:00:02\tＯＫ\r\n");
}

TEST_F(LogStoreTest, ADayFileHeldByOneStoreRefusesAnother) {
    LogStore other(world_.programDir());
    ASSERT_TRUE(store_.Append(CopiedFile("2005/07/01", "09:30:00")));
    EXPECT_FALSE(other.Append(CopiedFile("2005/07/01", "09:30:01")));
    LogRecord reader;
    reader.date = "2005/07/01";
    EXPECT_TRUE(other.ReadNext(&reader));  // reading takes no hold and is not refused
    EXPECT_TRUE(other.Append(CopiedFile("2005/07/02", "09:30:02")));  // other days are free

    store_.Close();
    EXPECT_TRUE(other.Append(CopiedFile("2005/07/01", "09:30:03")));
}

// A record cut off by a full disk must not stay as half a line that the next record runs on from.
TEST_F(LogStoreTest, ARecordCutShortByAFullDiskLeavesNoPartOnDisk) {
    const std::string first =
        "2005/07/01\tFile/Directory\t \tE\t自動\tバックアップ\tファイル作成\ta.txt\t"
        "/src/a.txt\t \t09:30:00\tＯＫ\r\n";
    PutFileBytes(JoinPath(world_.programDir(), "log.txt"), first);
    ASSERT_TRUE(store_.Append(CopiedFile("2005/07/01", "09:30:00")));
    {
        const test::FullDisk full(first.size() + 20);
        EXPECT_FALSE(store_.Append(CopiedFile("2005/07/01", "09:30:01")));
        EXPECT_FALSE(AppendFlatLog(world_.programDir(), CopiedFile("2005/07/01", "09:30:01")));
    }
    ASSERT_TRUE(store_.Append(CopiedFile("2005/07/01", "09:30:02")));
    store_.Close();

    std::string third = first;
    third.replace(third.find("09:30:00"), 8, "09:30:02");
    EXPECT_EQ(FileBytes(LogFile("20050701.txt")), first + third);
    EXPECT_EQ(FileBytes(JoinPath(world_.programDir(), "log.txt")), first);
}

TEST_F(LogStoreTest, NothingIsWrittenWithoutAValidDateOrTheLogFolder) {
    for (const char* date : {"", "2005/7/1", "2005/07/011", "../../etc/"}) {
        EXPECT_FALSE(store_.Append(CopiedFile(date, "09:30:00"))) << date;
    }
    std::filesystem::remove(JoinPath(world_.programDir(), "Log"));
    EXPECT_FALSE(store_.Append(CopiedFile("2005/07/01", "09:30:00")));
    EXPECT_FALSE(PathExists(JoinPath(world_.programDir(), "Log")));
}

TEST_F(LogStoreTest, ReadNextSplitsUpToTheFirstEmptyField) {
    PutFileBytes(LogFile("20050701.txt"),
                 "2005/07/01\tFile/Directory\t \tE\t自動\tバックアップ\tファイル作成\ta.txt\t"
                 "/src/a.txt\t \t09:30:00\tＯＫ\r\n"
                 "2005/07/01\tRemovableMedia\t\tF\n"                    // hand-edited, LF
                 "2005/07/01\tRemovableMedia\t \t\x82\x6e\x82\x6a\r\n"  // CP932 "ＯＫ"
                 "\r\n"
                 "2005/07/01\tnever read\r\n");
    LogRecord record;
    record.date = "2005/07/01";
    ASSERT_TRUE(store_.ReadNext(&record));
    EXPECT_EQ(record.drive, "E");
    EXPECT_EQ(record.destination, " ");
    EXPECT_EQ(record.result, "ＯＫ");

    ASSERT_TRUE(store_.ReadNext(&record));
    EXPECT_EQ(record.unit, "RemovableMedia");
    EXPECT_EQ(record.recognition, " ");  // the empty field and all after it keep their values
    EXPECT_EQ(record.drive, "E");
    EXPECT_EQ(record.result, "ＯＫ");

    ASSERT_TRUE(store_.ReadNext(&record));
    EXPECT_EQ(record.drive, "ＯＫ");

    EXPECT_FALSE(store_.ReadNext(&record));  // an empty line ends the reading
}

TEST_F(LogStoreTest, ReadNextCopesWithHugeLinesNulBytesAndNoLineEnd) {
    const std::string huge(3 * LineReader::kMaxLineBytes, '\0');
    PutFileBytes(LogFile("20050701.txt"), "2005/07/01\t" + huge + "\r\n2005/07/01\tlast\tx");
    LogRecord record;
    record.date = "2005/07/01";
    ASSERT_TRUE(store_.ReadNext(&record));
    EXPECT_EQ(record.unit.size(), LineReader::kMaxLineBytes - 11);
    ASSERT_TRUE(store_.ReadNext(&record));
    EXPECT_EQ(record.unit, "last");
    EXPECT_EQ(record.recognition, "x");
    EXPECT_FALSE(store_.ReadNext(&record));
}

TEST_F(LogStoreTest, ListDaysAndPurgeTakeOnlyDayFiles) {
    for (const char* name : {"20050630.txt", "20050701.txt", "20050702.txt", "20050501.txt",
                             "notes.txt", "2005063.txt", "20050601.TXT"}) {
        PutFileBytes(LogFile(name), "x");
    }
    std::filesystem::create_directory(LogFile("20050401.txt"));

    std::vector<std::string> days;
    store_.ListDays(&days);
    std::sort(days.begin(), days.end());
    EXPECT_EQ(days,
              (std::vector<std::string>{"2005/05/01", "2005/06/30", "2005/07/01", "2005/07/02"}));

    store_.Purge("2005/7/1");  // malformed: nothing goes
    store_.Purge("2005/07/01");
    std::vector<std::string> left;
    for (const auto& entry : std::filesystem::directory_iterator(LogFile(""))) {
        left.push_back(entry.path().filename());
    }
    std::sort(left.begin(), left.end());
    EXPECT_EQ(left, (std::vector<std::string>{"20050401.txt", "20050601.TXT", "2005063.txt",
                                              "20050701.txt", "20050702.txt", "notes.txt"}));
}

TEST(DayFileName, TakesTheDigitsOfAWellFormedDate) {
    const std::pair<const char*, const char*> cases[] = {
        {"2005/07/01", "20050701.txt"},
        {"2005-07-01", "20050701.txt"},
        {"2005/7/1", ""},
        {"2005/07/0x", ""},
        {"2005/07/011", ""},
        {"", ""},
    };
    for (const auto& [date, name] : cases) EXPECT_EQ(LogStore::DayFileName(date), name) << date;
}

// A day opened for appending takes its lines with no descriptor left to the process, and a
// day that took none leaves no file behind.
TEST_F(LogStoreTest, ADayOpenedForAppendingNeedsNoDescriptorForItsLines) {
    ASSERT_TRUE(store_.OpenForAppending("2005/07/01"));
    rlimit saved{};
    ASSERT_EQ(getrlimit(RLIMIT_NOFILE, &saved), 0);
    const int lowestFree = dup(0);
    close(lowestFree);
    rlimit none = saved;
    none.rlim_cur = static_cast<rlim_t>(lowestFree);
    ASSERT_EQ(setrlimit(RLIMIT_NOFILE, &none), 0);
    const bool appended = store_.Append(CopiedFile("2005/07/01", "09:30:00"));
    setrlimit(RLIMIT_NOFILE, &saved);
    store_.Close();
    EXPECT_TRUE(appended);
    EXPECT_NE(FileBytes(LogFile("20050701.txt")).find("\t09:30:00\t"), std::string::npos);

    ASSERT_TRUE(store_.OpenForAppending("2005/07/02"));
    store_.Close();
    EXPECT_FALSE(std::filesystem::exists(LogFile("20050702.txt")));
}

}  // namespace
}  // namespace tv
