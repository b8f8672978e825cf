#include "log/flat_log.h"

#include <gtest/gtest.h>

#include "log/log_store.h"
#include "platform/paths.h"
#include "tests/support/file_bytes.h"
#include "tests/support/test_world.h"

namespace tv {
namespace {

using test::FileBytes;
using test::PutFileBytes;

class FlatLogTest : public ::testing::Test {
  protected:
    std::string FlatLog() const { return JoinPath(world_.programDir(), "log.txt"); }
    std::string Index() const { return JoinPath(world_.programDir(), "log.idx"); }
    test::TestWorld world_;
};

TEST_F(FlatLogTest, RebuildSortsByResultThenNewestTimeAndIndexesEachRunOfDates) {
    const std::string a = "2005/07/01\tu\t \td\tm\tw\tフォルダ作成\tn\ts\tt\t09:00:00\tエラー";
    const std::string b = "2005/07/01\tu\t \td\tm\tw\tフォルダ作成\tn\ts\tt\t10:00:00\tＯＫ";
    const std::string c =
        "2005/07/02\tドライブの認識\tSmart Media\t \t \t \t \t \t \t \t12:00:00\t ";
    const std::string d = "2005/06/30\tu\t \td\tm\tw\tフォルダ作成\tn\ts\tt\t 11:00:00\tエラー";
    PutFileBytes(FlatLog(), a + "\r\n" + c + "\n" + b + "\r\n" + d);

    CheckLogIndex(world_.programDir());

    EXPECT_EQ(FileBytes(FlatLog()), d + "\r\n" + b + "\r\n" + a + "\r\n" + c + "\r\n");
    const size_t lineEnd = 2;
    EXPECT_EQ(FileBytes(Index()),
              "2005/06/30 0\r\n"
              "2005/07/01 " +
                  std::to_string(d.size() + lineEnd) + "\r\n" + "2005/07/02 " +
                  std::to_string(d.size() + b.size() + a.size() + 3 * lineEnd) + "\r\n");
}

// The rewrite reads each line as the viewer does: field by field where an older version wrote a
// name in its own encoding beside UTF-8 words, whole where the Windows original wrote CP932.
TEST_F(FlatLogTest, RebuildDecodesANameInAnotherEncodingWithoutGarblingItsLine) {
    PutFileBytes(FlatLog(),
                 "2005/07/01\tu\t \td\tm\tw\tフォルダ作成\t\x83\x65\x83\x58\x83\x67\ts\tt\t"
                 "09:00:00\tエラー\r\n"
                 "2005/07/01\tu\t \td\tm\tw\tx\t\xc3\xb1\ts\tt\t10:00:00\t\x82\x6e\x82\x6a\r\n");

    CheckLogIndex(world_.programDir());

    EXPECT_EQ(FileBytes(FlatLog()),
              "2005/07/01\tu\t \td\tm\tw\tx\tﾃｱ\ts\tt\t10:00:00\tＯＫ\r\n"
              "2005/07/01\tu\t \td\tm\tw\tフォルダ作成\tテスト\ts\tt\t09:00:00\tエラー\r\n");
}

TEST_F(FlatLogTest, MissingIndexAndLogLeaveTwoEmptyFiles) {
    CheckLogIndex(world_.programDir());
    EXPECT_TRUE(PathExists(FlatLog()));
    EXPECT_TRUE(PathExists(Index()));
    EXPECT_EQ(FileBytes(FlatLog()), "");
    EXPECT_EQ(FileBytes(Index()), "");
}

TEST_F(FlatLogTest, AnExistingIndexLeavesTheLogAloneAndRecordsAreAppended) {
    PutFileBytes(Index(), "");
    PutFileBytes(FlatLog(), "2005/07/01\tu\r\n");
    CheckLogIndex(world_.programDir());

    LogRecord record;
    record.date = "2005/07/02";
    record.action = "フォルダ作成";
    record.result = "エラー";
    ASSERT_TRUE(AppendFlatLog(world_.programDir(), record));
    EXPECT_EQ(FileBytes(FlatLog()),
              "2005/07/01\tu\r\n"
              "2005/07/02\t \t \t \t \t \tフォルダ作成\t \t \t \t \tエラー\r\n");
}

}  // namespace
}  // namespace tv
