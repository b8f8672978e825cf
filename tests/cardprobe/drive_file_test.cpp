// Reading the drive table file: intact lines resolve a letter, damaged ones are passed over.
#include "cardprobe/drive_file.h"

#include <gtest/gtest.h>

#include <string>

#include "tests/cardprobe/scratch_world.h"
#include "tests/support/file_bytes.h"

namespace tv::cardprobe {
namespace {

// The program's absolute roots: from the file system's root on Linux, from a drive's on Windows.
#ifdef _WIN32
constexpr const char* kDrive = "C:";
#else
constexpr const char* kDrive = "";
#endif

std::string Root(const char* path) { return kDrive + std::string(path); }

// The line with its root field, written here from "/", made absolute the system's way.
std::string Line(std::string line) {
    const std::size_t rootStart = line.find('\t', line.find('\t') + 1) + 1;
    if (rootStart != 0 && line.compare(rootStart, 1, "/") == 0) line.insert(rootStart, kDrive);
    return line;
}

TEST(CardProbeDriveFileTest, IntactLinesGiveEveryField) {
    DriveRecord record;
    ASSERT_TRUE(ParseDriveLine(Line("E\t2\t/media/user/CARD/\t1A2B3C4D\tカード\t/dev/sdb1\tauto\r"),
                               &record));
    EXPECT_EQ(record.letter, 'E');
    EXPECT_EQ(record.type, 2);
    EXPECT_EQ(record.root, Root("/media/user/CARD/"));
    EXPECT_TRUE(record.hasSerial);
    EXPECT_EQ(record.serial, 0x1A2B3C4Du);
    EXPECT_EQ(record.label, "カード");
    EXPECT_EQ(record.device, "/dev/sdb1");
    EXPECT_FALSE(record.pinned);

    ASSERT_TRUE(ParseDriveLine(Line("C\t3\t/\t-\t\t\tpinned"), &record));
    EXPECT_EQ(record.root, Root("/"));
    EXPECT_FALSE(record.hasSerial);
    EXPECT_EQ(record.label, "");
    EXPECT_EQ(record.device, "");
    EXPECT_TRUE(record.pinned);

    ASSERT_TRUE(ParseDriveLine(Line("F\t2\t/tmp/stick\tabcdef01\t\t\tpinned"), &record));
    EXPECT_EQ(record.root, Root("/tmp/stick/")) << "a separator is added for file names";
    EXPECT_EQ(record.serial, 0xABCDEF01u);
}

TEST(CardProbeDriveFileTest, DamagedLinesAreRefused) {
    const std::string cases[] = {
        "",
        "E\t2\t/m/\t-\t\t\t",                  // no pinned/auto word
        "E\t2\t/m/\t-\t\t/dev/sdb1",           // six fields
        "E\t2\t/m/\t-\t\t/dev/sdb1\tauto\tx",  // eight fields
        "e\t2\t/m/\t-\t\t\tauto",              // letters are upper case
        "EF\t2\t/m/\t-\t\t\tauto",
        "\t2\t/m/\t-\t\t\tauto",
        "E\t7\t/m/\t-\t\t\tauto",
        "E\t10\t/m/\t-\t\t\tauto",
        "E\t\t/m/\t-\t\t\tauto",
        "E\t2\tm/\t-\t\t\tauto",  // relative root
        "E\t2\t\t-\t\t\tauto",
        "E\t2\t/m/\t1A2B3C4\t\t\tauto",  // seven hex digits
        "E\t2\t/m/\t1A2B3C4G\t\t\tauto",
        "E\t2\t/m/\t\t\t\tauto",
        "E\t2\t/m/\t-\t\t\tAUTO",
        "E\t2\t/m/\t-\t\t\tauto\r\r",
        std::string("E\t2\t/m\0x/\t-\t\t\tauto", 19),  // NUL inside the root
        "E\t2\t/" + std::string(5000, 'a') + "/\t-\t\t\tauto",
    };
    for (const std::string& line : cases) {
        DriveRecord record;
        record.letter = '?';
        EXPECT_FALSE(ParseDriveLine(Line(line), &record)) << line;
        EXPECT_EQ(record.letter, '?') << "record untouched: " << line;
    }
}

TEST(CardProbeDriveFileTest, FirstIntactLineOfTheLetterWins) {
    const std::string table =
        Line("E\t9\t/broken/\t-\t\t\tauto\r\n") + Line("C\t3\t/\t-\t\t\tauto\n") +
        Line("E\t2\t/first/\t-\t\t\tauto\r\n") + Line("E\t2\t/second/\t-\t\t\tauto");
    struct Case {
        int letter;
        const char* root;  // null: none
    } cases[] = {{'E', "/first/"}, {'e', "/first/"}, {'C', "/"},          {'D', nullptr},
                 {'@', nullptr},   {0, nullptr},     {'E' + 256, nullptr}};
    for (const Case& c : cases) {
        const auto drive = FindDrive(table, c.letter);
        if (c.root == nullptr) {
            EXPECT_FALSE(drive.has_value()) << c.letter;
        } else {
            ASSERT_TRUE(drive.has_value()) << c.letter;
            EXPECT_EQ(drive->root, Root(c.root));
        }
    }
}

TEST(CardProbeDriveFileTest, OversizedOrMissingFileResolvesNothing) {
    tv::test::ScratchWorld world;
    EXPECT_FALSE(LookUpDrive(world.DriveFilePath(), 'C').has_value());
    EXPECT_FALSE(LookUpDrive("", 'C').has_value());

    const std::string line = Line("C\t3\t/\t-\t\t\tauto\r\n");
    tv::test::PutFileBytes(world.DriveFilePath(), line);
    EXPECT_TRUE(LookUpDrive(world.DriveFilePath(), 'C').has_value());

    std::string oversized = line;
    oversized.resize(kMaxDriveFileSize + 1, '\n');
    tv::test::PutFileBytes(world.DriveFilePath(), oversized);
    EXPECT_FALSE(LookUpDrive(world.DriveFilePath(), 'C').has_value());
}

}  // namespace
}  // namespace tv::cardprobe
