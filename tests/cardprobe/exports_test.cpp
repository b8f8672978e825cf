// The library as the program sees it: loaded by path, called by export name, with a drive
// table file in the config folder and drive folders standing in for media.
#include <sys/stat.h>

#include <cstring>
#include <filesystem>
#include <string>
#include <vector>

#include "tests/cardprobe/cardprobe_library.h"
#include "tests/cardprobe/scratch_world.h"
#include "tests/support/file_bytes.h"
#include "tests/support/full_disk.h"

namespace tv::test {
namespace {

constexpr char kSerial[] = "1050401307090042";
constexpr int kRemovable = 2;
constexpr int kFixed = 3;

std::vector<std::string> FolderEntries(const std::string& folder) {
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(folder)) {
        names.push_back(entry.path().filename().string());
    }
    return names;
}

bool IsReadOnly(const std::string& path) {
    struct stat status;
    return ::stat(path.c_str(), &status) == 0 && (status.st_mode & 0222) == 0;
}

// A MediaInfo whose texts show whether the probe wrote them.
MediaInfo MarkedInfo() {
    MediaInfo info;
    std::memset(&info, 0x5A, sizeof info);
    std::strcpy(info.vendor, "untouched");
    std::strcpy(info.product, "untouched");
    return info;
}

class CardProbeExportsTest : public ::testing::Test {
  protected:
    ScratchWorld world;
    CardProbeLibrary library;
};

TEST_F(CardProbeExportsTest, ExportsAllSevenByName) {
    for (const char* name : {"GetCardName", "CardProbe", "GetPcmciaType", "GetSerialNumber",
                             "MakeSerialNumber", "SetCardName", "SetSerialNumber"}) {
        EXPECT_NE(library.Symbol(name), nullptr) << name;
    }
    // Classify lives in the header; the library's own pieces stay private.
    EXPECT_EQ(library.Symbol("Classify"), nullptr);
}

TEST_F(CardProbeExportsTest, ProbeOfFixedDriveReportsTypeOnly) {
    world.AddDrive('C', kFixed, "/dev/sda1");
    MediaInfo info = MarkedInfo();
    EXPECT_EQ(library.CardProbe('C', &info), 1);
    EXPECT_EQ(info.driveType, kFixed);
    EXPECT_EQ(info.mediaKind, 0);
    EXPECT_EQ(info.freeSpaceQuery, 0);
    EXPECT_STREQ(info.vendor, "untouched");
    EXPECT_STREQ(info.product, "untouched");
}

TEST_F(CardProbeExportsTest, ProbeOfAbsentOrUnusableLetters) {
    world.AddDrive('C', kFixed);
    world.AddDriveLine("D\t0\t/nowhere/\t-\t\t\tauto");
    world.AddDriveLine("E\t2\trelative/\t-\t\t\tauto");  // damaged: ignored
    struct Case {
        int letter;
        int result;
        int driveType;
    } cases[] = {{'Q', 0, 1}, {'D', 0, 0}, {'E', 0, 1}, {'1', 0, 1}, {'c', 1, kFixed}};
    for (const Case& c : cases) {
        MediaInfo info = MarkedInfo();
        EXPECT_EQ(library.CardProbe(c.letter, &info), c.result) << char(c.letter);
        EXPECT_EQ(info.driveType, c.driveType) << char(c.letter);
        EXPECT_EQ(info.mediaKind, 0) << char(c.letter);
        EXPECT_STREQ(info.product, "untouched") << char(c.letter);
    }
}

TEST_F(CardProbeExportsTest, ProbeWithoutDriveTableFindsNoDrive) {
    MediaInfo info = MarkedInfo();
    EXPECT_EQ(library.CardProbe('C', &info), 0);
    EXPECT_EQ(info.driveType, 1);
}

TEST_F(CardProbeExportsTest, ProbeOfRemovableFolderWithoutDeviceGivesEmptyTexts) {
    world.AddDrive('F', kRemovable);
    MediaInfo info = MarkedInfo();
    EXPECT_EQ(library.CardProbe('F', &info), 1);
    EXPECT_EQ(info.driveType, kRemovable);
    EXPECT_EQ(info.freeSpaceQuery, 1);
    EXPECT_EQ(info.mediaKind, 0);
    EXPECT_STREQ(info.vendor, "");
    EXPECT_STREQ(info.product, "");
}

TEST_F(CardProbeExportsTest, SerialNumberIsWrittenAsSixteenBytesHiddenAndReadOnly) {
    const std::string root = world.AddDrive('F', kRemovable);
    ASSERT_EQ(library.SetSerialNumber('F', kSerial), 1);
    EXPECT_EQ(FileBytes(root + "_serial_.tq"), "1050401307090042");
    EXPECT_TRUE(IsReadOnly(root + "_serial_.tq"));
    EXPECT_EQ(FolderEntries(root), std::vector<std::string>{"_serial_.tq"});

    char buffer[17] = {};
    EXPECT_EQ(library.GetSerialNumber('F', buffer), 1);
    EXPECT_STREQ(buffer, kSerial);

    // The file is read-only: a second serial number is refused, even for root.
    EXPECT_EQ(library.SetSerialNumber('F', "9999999999999999"), 0);
    EXPECT_EQ(FileBytes(root + "_serial_.tq"), kSerial);
}

TEST_F(CardProbeExportsTest, SerialNumberFileMustHoldSixteenDigits) {
    const std::string root = world.AddDrive('F', kRemovable);
    struct Case {
        std::string bytes;
        int result;
    } cases[] = {
        {"105040130709004", 0},
        {"", 0},
        {"../.././././././", 0},
        {"1234567890abcdef", 0},
        {"105040130709004 ", 0},
        {"+105040130709004", 0},
        {std::string("10504013070\0"
                     "0042",
                     16),
         0},
        {"1050401307090042", 1},
        {"1050401307090042\r\n", 1},
    };
    for (const Case& c : cases) {
        PutFileBytes(root + "_serial_.tq", c.bytes);
        char buffer[17];
        std::memset(buffer, '#', sizeof buffer);
        EXPECT_EQ(library.GetSerialNumber('F', buffer), c.result) << c.bytes;
        if (c.result == 1) {
            EXPECT_STREQ(buffer, kSerial);
        } else {
            EXPECT_EQ(buffer[0], '#') << "buffer untouched on failure";
        }
    }
    char buffer[17];
    EXPECT_EQ(library.GetSerialNumber('Z', buffer), 0);
}

TEST_F(CardProbeExportsTest, SerialTextOtherThanSixteenDigitsIsRefusedWithoutWriting) {
    const std::string root = world.AddDrive('F', kRemovable);
    for (const char* text : {"12345", "../.././././././", "1234567890abcdef"}) {
        EXPECT_EQ(library.SetSerialNumber('F', text), 0) << text;
        EXPECT_TRUE(FolderEntries(root).empty()) << text;
    }
}

TEST_F(CardProbeExportsTest, CardNameKeepsThirtyTwoBytesAndIsReplacedAlthoughReadOnly) {
    const std::string root = world.AddDrive('F', kRemovable);
    const std::string forty = "0123456789abcdefghijklmnopqrstuvwxyzABCD";
    ASSERT_EQ(library.SetCardName('F', forty.c_str()), 1);
    EXPECT_EQ(FileBytes(root + "_cardnm_.tq"), "0123456789abcdefghijklmnopqrstuv");
    EXPECT_TRUE(IsReadOnly(root + "_cardnm_.tq"));

    char buffer[33];
    EXPECT_EQ(library.GetCardName('F', buffer), 1);
    EXPECT_STREQ(buffer, "0123456789abcdefghijklmnopqrstuv");

    ASSERT_EQ(library.SetCardName('F', "00000080"), 1);
    EXPECT_EQ(FileBytes(root + "_cardnm_.tq"), "00000080");
    EXPECT_TRUE(IsReadOnly(root + "_cardnm_.tq"));
    EXPECT_EQ(FolderEntries(root), std::vector<std::string>{"_cardnm_.tq"});
    EXPECT_EQ(library.GetCardName('F', buffer), 1);
    EXPECT_STREQ(buffer, "00000080");
}

TEST_F(CardProbeExportsTest, CardNameThatCannotBeReadLeavesBufferAlone) {
    const std::string root = world.AddDrive('F', kRemovable);
    char buffer[33] = "before";
    EXPECT_EQ(library.GetCardName('F', buffer), 0);
    EXPECT_EQ(library.GetCardName('Z', buffer), 0);
    world.MakeFolder("drive_F/_cardnm_.tq");  // a folder is no card name file
    EXPECT_EQ(library.GetCardName('F', buffer), 0);
    EXPECT_STREQ(buffer, "before");
    EXPECT_EQ(library.SetCardName('Z', "00000001"), 0);
    EXPECT_EQ(library.SetSerialNumber('Z', kSerial), 0);
}

// Files may grow to 8 bytes while the limit lives: longer writes fail part-way, as on a full
// medium.
constexpr rlim_t kFullMediumBytes = 8;

TEST_F(CardProbeExportsTest, FailedWritesLeaveNoFileBehind) {
    const std::string root = world.AddDrive('F', kRemovable);
    {
        const FullDisk full(kFullMediumBytes);
        EXPECT_EQ(library.SetSerialNumber('F', kSerial), 0);
        EXPECT_EQ(library.SetCardName('F', "0123456789abcdef"), 0);
    }
    EXPECT_TRUE(FolderEntries(root).empty());

    // A folder where the file belongs cannot be replaced.
    world.MakeFolder("drive_F/_serial_.tq");
    EXPECT_EQ(library.SetSerialNumber('F', kSerial), 0);
    EXPECT_EQ(FolderEntries(root), std::vector<std::string>{"_serial_.tq"});
}

TEST_F(CardProbeExportsTest, FailedCardNameRewriteKeepsTheOldName) {
    const std::string root = world.AddDrive('F', kRemovable);
    ASSERT_EQ(library.SetCardName('F', "00000008"), 1);
    {
        const FullDisk full(kFullMediumBytes);
        EXPECT_EQ(library.SetCardName('F', "0123456789abcdef"), 0);
    }
    EXPECT_EQ(FileBytes(root + "_cardnm_.tq"), "00000008");
    EXPECT_EQ(FolderEntries(root), std::vector<std::string>{"_cardnm_.tq"});
}

TEST_F(CardProbeExportsTest, MadeSerialNumberHasSixteenDigits) {
    char buffer[17];
    ASSERT_EQ(library.MakeSerialNumber(buffer), 16);
    EXPECT_EQ(std::strspn(buffer, "0123456789"), 16u) << buffer;
}

TEST_F(CardProbeExportsTest, SocketWithoutCardHasNoVersionTuple) {
    PcmciaTupleInfo info;
    std::memset(&info, 0x5A, sizeof info);
    EXPECT_EQ(library.GetPcmciaType(&info, 0xFFFF), 0);
    EXPECT_EQ(info.major, 0x5A);
}

}  // namespace
}  // namespace tv::test
