#include "platform/drive_table.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

namespace tv {
namespace {

namespace fs = std::filesystem;

std::string ReadBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

class DriveTableTest : public ::testing::Test {
  protected:
    void SetUp() override {
        char pattern[] = "/tmp/tv-drives-XXXXXX";
        ASSERT_NE(::mkdtemp(pattern), nullptr);
        base_ = pattern;
        config_ = base_ + "/config";
    }
    void TearDown() override { fs::remove_all(base_); }

    // Pins letter to a new folder base/<name>.
    std::string PinFolder(DriveTable& table, char letter, int type, const std::string& name,
                          const std::string& label = "") {
        const std::string root = base_ + "/" + name;
        fs::create_directories(root);
        DriveInfo drive;
        drive.letter = letter;
        drive.type = type;
        drive.root = root;
        drive.label = label;
        table.Pin(drive);
        return root + "/";
    }

    std::string base_;
    std::string config_;
};

TEST_F(DriveTableTest, PinnedDrivesAnswerTheDriveQueries) {
    DriveTable table(config_);
    table.SetPinnedOnly(true);
    const std::string c = PinFolder(table, 'C', kDriveFixed, "c");
    const std::string e = PinFolder(table, 'E', kDriveRemovable, "e", "CARD");
    ASSERT_TRUE(table.Refresh());

    EXPECT_EQ(table.LogicalDrives(), (1u << 2) | (1u << 4));
    EXPECT_EQ(table.LogicalDriveStrings(), (std::vector<std::string>{c, e}));
    EXPECT_EQ(table.RootOf('E'), e);
    EXPECT_EQ(table.RootOf('F'), "");
    EXPECT_EQ(table.DriveType(e), kDriveRemovable);
    EXPECT_EQ(table.DriveType(e + "sub/file.txt"), kDriveRemovable);
    EXPECT_EQ(table.DriveType(base_ + "/elsewhere/"), kDriveNoRootDir);

    uint32_t serial = 1;
    std::string label;
    bool hasSerial = true;
    ASSERT_TRUE(table.VolumeInformation(e, &serial, &label, &hasSerial));
    EXPECT_EQ(serial, 0u);
    EXPECT_FALSE(hasSerial);
    EXPECT_EQ(label, "CARD");

    table.Unpin('E');
    EXPECT_EQ(table.Find('E'), nullptr);
    EXPECT_FALSE(table.VolumeInformation(e, &serial, &label));
}

TEST_F(DriveTableTest, DriveOfPathTakesTheLongestRootOnWholeComponents) {
    DriveTable table(config_);
    table.SetPinnedOnly(true);
    const std::string data = PinFolder(table, 'D', kDriveFixed, "mnt/data");
    PinFolder(table, 'E', kDriveFixed, "mnt/data/inner");
    PinFolder(table, 'F', kDriveFixed, "mnt");

    const struct {
        std::string path;
        char letter;
    } cases[] = {
        {base_ + "/mnt/data", 'D'},
        {base_ + "/mnt/data/", 'D'},
        {base_ + "/mnt/data/x.txt", 'D'},
        {base_ + "/mnt/data2", 'F'},
        {base_ + "/mnt/data/inner/y", 'E'},
        {base_ + "/mnt/data/inner2", 'D'},
        {base_ + "/mn", 0},
        {base_ + "/other", 0},
    };
    for (const auto& c : cases) EXPECT_EQ(table.DriveOfPath(c.path), c.letter) << c.path;
    EXPECT_EQ(data, table.RootOf('D'));
}

TEST_F(DriveTableTest, DisplayNamesUseTheLabelOrTheKindOfDrive) {
    DriveTable table(config_);
    table.SetPinnedOnly(true);
    const struct {
        char letter;
        int type;
        std::string label;
        std::string expected;
    } cases[] = {
        {'C', kDriveFixed, "", "ローカル ディスク (C:)"},
        {'D', kDriveCdRom, "", "CD ドライブ (D:)"},
        {'E', kDriveRemovable, "", "リムーバブル ディスク (E:)"},
        {'F', kDriveRemovable, "写真", "写真 (F:)"},
    };
    for (const auto& c : cases) {
        const std::string root =
            PinFolder(table, c.letter, c.type, std::string(1, c.letter), c.label);
        EXPECT_EQ(table.DisplayName(root), c.expected);
    }
    EXPECT_EQ(table.DisplayName(base_ + "/nowhere/"), "");
}

TEST_F(DriveTableTest, DrivesFileListsEveryLetterAndFollowsLabelChanges) {
    DriveTable table(config_);
    table.SetPinnedOnly(true);
    DriveInfo card;
    card.letter = 'E';
    card.type = kDriveRemovable;
    card.root = base_ + "/e";
    card.hasSerial = true;
    card.serial = 0x1a2b3c4d;
    card.label = "SD\tCARD";
    table.Pin(card);
    fs::create_directories(card.root);
    PinFolder(table, 'C', kDriveFixed, "c");
    ASSERT_TRUE(table.Refresh());

    EXPECT_EQ(ReadBytes(config_ + "/drives.tsv"), "C\t3\t" + base_ +
                                                      "/c/\t-\t\t\tpinned\r\n"
                                                      "E\t2\t" +
                                                      base_ +
                                                      "/e/\t1A2B3C4D\tSD CARD\t\tpinned\r\n");

    ASSERT_TRUE(table.SetVolumeLabel(base_ + "/e/", "バックアップ"));
    EXPECT_EQ(ReadBytes(config_ + "/drives.tsv"), "C\t3\t" + base_ +
                                                      "/c/\t-\t\t\tpinned\r\n"
                                                      "E\t2\t" +
                                                      base_ +
                                                      "/e/\t1A2B3C4D\tバックアップ\t\tpinned\r\n");
    EXPECT_EQ(table.DisplayName(base_ + "/e"), "バックアップ (E:)");
    EXPECT_FALSE(table.SetVolumeLabel(base_ + "/x/", "X"));
}

}  // namespace
}  // namespace tv
