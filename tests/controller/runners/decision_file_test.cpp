#include "controller/runners/decision_file.h"

#include <gtest/gtest.h>

#include <string>

#include "platform/file_system.h"
#include "platform/paths.h"
#include "platform/win_constants.h"
#include "tests/support/file_bytes.h"
#include "tests/support/full_disk.h"
#include "tests/support/held_lock.h"
#include "tests/support/test_world.h"

namespace tv::test {
namespace {

using namespace std::string_literals;

const DateTime kStart = DateTime::FromParts(2005, 7, 1, 9, 30, 5);
// "2005年07月01日 09:30:05" in UTF-8.
const std::string kReadableStart =
    "2005\xe5\xb9\xb4"
    "07\xe6\x9c\x88"
    "01\xe6\x97\xa5 09:30:05";

class DecisionFileTest : public ::testing::Test {
  protected:
    std::string Path() const { return JoinPath(world_.programDir(), "Decision.txt"); }

    TestWorld world_;
    DecisionFile decisions_;
};

TEST_F(DecisionFileTest, EveryLineFormIsWrittenByteForByte) {
    ASSERT_TRUE(decisions_.Open(world_.programDir()));
    ASSERT_TRUE(decisions_.Append(0x1a2b3c4du, DecisionLayout::Tabs, true, kStart));
    ASSERT_TRUE(decisions_.Append(255u, DecisionLayout::Tabs, false, kStart));
    ASSERT_TRUE(decisions_.Append(0x1a2b3c4du, DecisionLayout::Commas, true, kStart));
    ASSERT_TRUE(decisions_.Append(255u, DecisionLayout::Commas, false, kStart));
    ASSERT_TRUE(decisions_.Append("0123456789012345", true, kStart));
    ASSERT_TRUE(decisions_.Append("0123456789012345", false, kStart));
    EXPECT_EQ(FileBytes(Path()),
              "439041101\tMIRROR\t" + kReadableStart + "  1a2b3c4d  20050701093005\r\n" +
                  "255\tBACKUP\t" + kReadableStart + "  ff  20050701093005\r\n" +
                  "439041101,MIRROR," + kReadableStart + ",1a2b3c4d,20050701093005\r\n" +
                  "255,BACKUP," + kReadableStart + ",ff,20050701093005\r\n" +
                  "0123456789012345,MIRROR," + kReadableStart +
                  ",0123456789012345,20050701093005\r\n" + "0123456789012345,BACKUP," +
                  kReadableStart + ",0123456789012345,20050701093005\r\n");
}

TEST_F(DecisionFileTest, ALineIsFoundByThePlainFrontOfItsIdentifier) {
    PutFileBytes(Path(),
                 "439041101\tMIRROR\t2005\x94\x4e"
                 "07\x8c\x8e"
                 "01\x93\xfa 09:30:05  1a2b3c4d  "
                 "20050701093005\r\n"  // CP932 date text
                 "12345,BACKUP,x,3039,20050701093005\n"
                 "\x00\xff\xfe junk \tMIRROR\r\n"s +
                     std::string(70000, 'x') +
                     "888\r\n"  // only its front counts
                     "777 without a line end");
    ASSERT_TRUE(decisions_.Open(world_.programDir()));
    for (const char* found : {"439041101", "4390", "1234", "12345", "777"}) {
        EXPECT_TRUE(decisions_.Find(found)) << found;
    }
    for (const char* missing : {"123456", "39041101", "MIRROR", "888", ""}) {
        EXPECT_FALSE(decisions_.Find(missing)) << missing;
    }
}

TEST_F(DecisionFileTest, OpeningKeepsWhatIsThereAndANewLineIsFoundAtOnce) {
    PutFileBytes(Path(), "777 without a line end");
    ASSERT_TRUE(decisions_.Open(world_.programDir()));
    EXPECT_EQ(FileBytes(Path()), "777 without a line end");
    EXPECT_FALSE(decisions_.Find("255"));
    ASSERT_TRUE(decisions_.Append(255u, DecisionLayout::Commas, false, kStart));
    EXPECT_TRUE(decisions_.Find("255"));
    EXPECT_EQ(FileBytes(Path()),
              "777 without a line end\r\n255,BACKUP," + kReadableStart + ",ff,20050701093005\r\n");
}

TEST_F(DecisionFileTest, AnotherHolderKeepsTheRunFromReadingOrWriting) {
    ASSERT_TRUE(decisions_.Open(world_.programDir()));
    ASSERT_TRUE(decisions_.Append(255u, DecisionLayout::Tabs, false, kStart));
    DecisionFile second;
    EXPECT_FALSE(second.Open(world_.programDir()));
    EXPECT_FALSE(second.Find("255"));
    EXPECT_FALSE(second.Append(255u, DecisionLayout::Tabs, true, kStart));
    decisions_.Close();

    const HeldLock other(Path());
    ASSERT_TRUE(other.locked());
    EXPECT_FALSE(second.Open(world_.programDir()));
    EXPECT_EQ(FileBytes(Path()), "255\tBACKUP\t" + kReadableStart + "  ff  20050701093005\r\n");
}

TEST_F(DecisionFileTest, AFileThatCannotBeOpenedFindsAndWritesNothing) {
    PutFileBytes(Path(), "255\tBACKUP\r\n");
    ASSERT_TRUE(SetFileAttributes(Path(), kAttrReadOnly));
    const std::string missingFolder = JoinPath(world_.base(), "gone");
    for (const std::string& folder : {world_.programDir(), missingFolder}) {
        EXPECT_FALSE(decisions_.Open(folder)) << folder;
        EXPECT_FALSE(decisions_.Find("255"));
        EXPECT_FALSE(decisions_.Append(255u, DecisionLayout::Tabs, true, kStart));
    }
    EXPECT_FALSE(PathExists(missingFolder));
    EXPECT_EQ(FileBytes(Path()), "255\tBACKUP\r\n");
}

TEST_F(DecisionFileTest, ALineCutShortOrUnfitForOneLineLeavesNothing) {
    const std::string first = "255\tBACKUP\t" + kReadableStart + "  ff  20050701093005\r\n";
    PutFileBytes(Path(), first);
    ASSERT_TRUE(decisions_.Open(world_.programDir()));
    {
        const FullDisk full(first.size() + 20);
        ASSERT_TRUE(full.applied());
        EXPECT_FALSE(decisions_.Append(255u, DecisionLayout::Tabs, true, kStart));
    }
    for (const char* serial : {"", "0123\r\n4567", "0123\t4567"}) {
        EXPECT_FALSE(decisions_.Append(serial, false, kStart)) << serial;
    }
    EXPECT_EQ(FileBytes(Path()), first);
    ASSERT_TRUE(decisions_.Append(255u, DecisionLayout::Tabs, true, kStart));
    EXPECT_EQ(FileBytes(Path()), first + "255\tMIRROR" + first.substr(10));
}

}  // namespace
}  // namespace tv::test
