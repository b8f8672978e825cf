#include <gtest/gtest.h>
#include <sys/stat.h>

#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "platform/drive_table.h"
#include "platform/paths.h"
#include "tests/support/file_bytes.h"
#include "tests/support/test_world.h"

namespace tv {
namespace {

namespace fs = std::filesystem;
using namespace std::string_literals;
using test::FileBytes;
using test::PutFileBytes;

// "写真" in CP932, as a file saved on a Japanese Windows machine holds it.
const std::string kPhotoCp932 = "\x8e\xca\x90\x5e";

// One drive as a line of text, so whole tables compare in one assertion.
std::string Describe(const DriveInfo& d) {
    char serial[9] = "-";
    if (d.hasSerial) std::snprintf(serial, sizeof serial, "%08X", static_cast<unsigned>(d.serial));
    return std::string(1, d.letter) + " " + std::to_string(d.type) + " " + d.root + " " + serial +
           " [" + d.label + "]" + (d.pinned ? " pinned" : "");
}

std::vector<std::string> Describe(const DriveTable& table) {
    std::vector<std::string> drives;
    for (const DriveInfo& drive : table.Drives()) drives.push_back(Describe(drive));
    return drives;
}

class PinnedDrivesTest : public ::testing::Test {
  protected:
    PinnedDrivesTest() { table_.SetPinnedOnly(true); }

    // A new folder base/name, as an absolute path without a trailing separator.
    std::string Folder(const std::string& name) { return world_.MakeFolder(name); }

    void PutPins(const std::string& bytes) { PutFileBytes(path_, bytes); }

    bool Load() {
        error_.clear();
        return table_.LoadPinnedDrives(&error_);
    }

    void PinInCode(char letter, const std::string& folder) {
        DriveInfo drive;
        drive.letter = letter;
        drive.type = kDriveFixed;
        drive.root = folder;
        table_.Pin(drive);
    }

    test::TestWorld world_;
    const std::string path_ = JoinPath(world_.configDir(), "pinned-drives.tsv");
    DriveTable table_{world_.configDir()};
    std::string error_;
};

TEST_F(PinnedDrivesTest, GoodFileDeclaresEveryDrive) {
    const std::string card = Folder("card"), data = Folder("data"), disc = Folder("disc");
    const std::string ram = Folder("ram");
    PutPins(
        "# Letters mapped to folders\r\n"
        "\r\n"
        "E\tremovable\t" +
        card +
        "\t0A1B2C3D\tSD カード\r\n"
        "F\t3\t" +
        data +
        "/\t-\t\n"
        "#G\t3\t/nowhere\t-\tcommented out\n"
        "G\tcdrom\t" +
        disc + "\tdeadbeef\t" + kPhotoCp932 +
        "\r\n"
        "R\t6\t" +
        ram + "\t-\tRAM");
    ASSERT_TRUE(Load()) << error_;
    EXPECT_EQ(error_, "");
    EXPECT_EQ(Describe(table_), (std::vector<std::string>{
                                    "E 2 " + card + "/ 0A1B2C3D [SD カード] pinned",
                                    "F 3 " + data + "/ - [] pinned",
                                    "G 5 " + disc + "/ DEADBEEF [写真] pinned",
                                    "R 6 " + ram + "/ - [RAM] pinned",
                                }));
    EXPECT_EQ(table_.DisplayName(data + "/"), "ローカル ディスク (F:)");
    EXPECT_EQ(table_.DriveOfPath(disc + "/DCIM/a.jpg"), 'G');
    EXPECT_EQ(FileBytes(table_.DrivesFilePath()), "E\t2\t" + card +
                                                      "/\t0A1B2C3D\tSD カード\t\tpinned\r\n"
                                                      "F\t3\t" +
                                                      data +
                                                      "/\t-\t\t\tpinned\r\n"
                                                      "G\t5\t" +
                                                      disc +
                                                      "/\tDEADBEEF\t写真\t\tpinned\r\n"
                                                      "R\t6\t" +
                                                      ram + "/\t-\tRAM\t\tpinned\r\n");

    // Every drive type as a number and the words for those that have one.
    std::string allTypes;
    for (char type = '0'; type <= '6'; ++type) {
        allTypes += std::string(1, static_cast<char>('A' + type - '0')) + "\t" + type + "\t" +
                    card + "\t-\t\n";
    }
    PutPins(allTypes + "J\tfixed\t" + card + "\t-\t\nK\tremote\t" + card + "\t-\t\n");
    ASSERT_TRUE(Load()) << error_;
    std::string types;
    for (const DriveInfo& drive : table_.Drives()) types += std::to_string(drive.type);
    EXPECT_EQ(types, "012345634");
}

TEST_F(PinnedDrivesTest, DamagedFileIsRejectedWholeAndTheOldPinsStay) {
    const std::string e = Folder("e");
    const std::string good = "# pins\r\nE\t2\t" + e + "\t-\tCARD\r\n";
    PutPins(good);
    ASSERT_TRUE(Load()) << error_;
    const std::vector<std::string> before = Describe(table_);
    const std::string drivesFile = FileBytes(table_.DrivesFilePath());

    const struct {
        const char* name;
        std::string bytes;
        size_t line;  // 0: the file as a whole
    } cases[] = {
        {"lower-case letter", "f\t3\t/x\t-\tL\r\n", 3},
        {"two letters", "FG\t3\t/x\t-\tL\r\n", 3},
        {"letter with a colon", "F:\t3\t/x\t-\tL\r\n", 3},
        {"empty letter", "\t3\t/x\t-\tL\r\n", 3},
        {"duplicate letter", "E\t3\t/x\t-\tL\r\n", 3},
        {"type beyond 6", "F\t7\t/x\t-\tL\r\n", 3},
        {"unknown type word", "F\tusb\t/x\t-\tL\r\n", 3},
        {"type word in capitals", "F\tFixed\t/x\t-\tL\r\n", 3},
        {"relative folder", "F\t3\tdata/x\t-\tL\r\n", 3},
        {"empty folder", "F\t3\t\t-\tL\r\n", 3},
        {"network path", "F\t4\t//server/share\t-\tL\r\n", 3},
        {"seven-digit serial", "F\t3\t/x\t1234567\tL\r\n", 3},
        {"nine-digit serial", "F\t3\t/x\t123456789\tL\r\n", 3},
        {"serial not hex", "F\t3\t/x\t1234567G\tL\r\n", 3},
        {"empty serial", "F\t3\t/x\t\tL\r\n", 3},
        {"four fields", "F\t3\t/x\t-\r\n", 3},
        {"six fields", "F\t3\t/x\t-\tL\t\r\n", 3},
        {"blanks only", "   \r\n", 3},
        {"NUL in a label", "F\t3\t/x\t-\tL\0X\r\n"s, 3},
        {"NUL in a comment", "# a\0b\r\n"s, 3},
        {"lone CR before the line end", "F\t3\t/x\t-\tL\r\r\n", 3},
        {"too large", "#" + std::string(70 * 1024, 'x') + "\r\n", 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        PutPins(good + c.bytes + "G\t3\t/y\t-\tafter\r\n");
        EXPECT_FALSE(Load());
        const std::string where = c.line == 0 ? path_ : path_ + ":" + std::to_string(c.line);
        EXPECT_EQ(error_.rfind(where + ": ", 0), 0u) << error_;
        EXPECT_EQ(error_.find('\n'), std::string::npos) << error_;
        EXPECT_EQ(Describe(table_), before);
        EXPECT_EQ(FileBytes(table_.DrivesFilePath()), drivesFile);
    }

    // A file that cannot be read, or is no file at all, is no reason to drop the pins either;
    // a pipe in its place does not hold the start-up up.
    for (const bool pipe : {false, true}) {
        fs::remove(path_);
        ASSERT_EQ(pipe ? ::mkfifo(path_.c_str(), 0600) : ::mkdir(path_.c_str(), 0700), 0);
        EXPECT_FALSE(Load());
        EXPECT_EQ(error_.rfind(path_ + ": ", 0), 0u) << error_;
        EXPECT_EQ(Describe(table_), before);
    }
}

TEST_F(PinnedDrivesTest, FilePinsWinOverAutomaticDrivesAndSurviveRefresh) {
    const std::string mountinfo = JoinPath(world_.base(), "mountinfo");
    PutFileBytes(mountinfo,
                 "27 1 8:2 / / rw,relatime shared:1 - ext4 /dev/sda2 rw\n"
                 "89 1 8:33 / /media/user/STICK rw,relatime shared:1 - exfat /dev/sdc1 rw\n");
    DriveTable table(world_.configDir());
    table.SetMountinfoPath(mountinfo);
    table.SetSysfsRoot(Folder("sys"));
    table.SetDevDiskRoot(Folder("disk"));
    ASSERT_TRUE(table.Refresh());
    ASSERT_EQ(table.RootOf('C'), "/");

    const std::string mapped = Folder("mapped");
    PutPins("C	fixed	" + mapped + "	12345678	MAPPED\r\nD	2	" + mapped +
            "/sub	-	\r\n");
    ASSERT_TRUE(table.LoadPinnedDrives(&error_)) << error_;
    EXPECT_EQ(table.RootOf('C'), mapped + "/");
    for (int refresh = 0; refresh < 2; ++refresh) {
        ASSERT_TRUE(table.Refresh());
        EXPECT_EQ(Describe(table), (std::vector<std::string>{
                                       "C 3 " + mapped + "/ 12345678 [MAPPED] pinned",
                                       "D 2 " + mapped + "/sub/ - [] pinned",
                                       "E 3 / - []",
                                       "F 3 /media/user/STICK/ - []",
                                   }));
    }
}

TEST_F(PinnedDrivesTest, ReloadReplacesOnlyTheFilesPins) {
    const std::string code = Folder("code"), e1 = Folder("e1"), e2 = Folder("e2");
    const std::string f = Folder("f"), g = Folder("g");
    PinInCode('C', code);
    PutPins("C\t3\t" + f +
            "\t-\tfrom the file\n"
            "E\t2\t" +
            e1 +
            "\t-\tE1\n"
            "F\t3\t" +
            f + "\t-\tF1\n");
    ASSERT_TRUE(Load()) << error_;
    EXPECT_EQ(Describe(table_), (std::vector<std::string>{
                                    "C 3 " + code + "/ - [] pinned",
                                    "E 2 " + e1 + "/ - [E1] pinned",
                                    "F 3 " + f + "/ - [F1] pinned",
                                }));

    // Refresh leaves the file alone; only a reload reads it again.
    PutPins("E\t2\t" + e2 + "\t-\tE2\nG\t3\t" + g + "\t-\tG1\n");
    ASSERT_TRUE(table_.Refresh());
    EXPECT_EQ(table_.RootOf('E'), e1 + "/");
    ASSERT_TRUE(Load()) << error_;
    EXPECT_EQ(Describe(table_), (std::vector<std::string>{
                                    "C 3 " + code + "/ - [] pinned",
                                    "E 2 " + e2 + "/ - [E2] pinned",
                                    "G 3 " + g + "/ - [G1] pinned",
                                }));

    // A pin made in code over a letter of the file is the code's from then on.
    PinInCode('E', code);
    ASSERT_TRUE(Load()) << error_;
    EXPECT_EQ(table_.RootOf('E'), code + "/");

    // Without the file the user has pinned nothing.
    fs::remove(path_);
    ASSERT_TRUE(Load()) << error_;
    EXPECT_EQ(Describe(table_), (std::vector<std::string>{
                                    "C 3 " + code + "/ - [] pinned",
                                    "E 3 " + code + "/ - [] pinned",
                                }));
}

TEST_F(PinnedDrivesTest, LabelIsWrittenBackIntoItsLineOnly) {
    const std::string e = Folder("e"), g = Folder("g"), h = Folder("h"), code = Folder("code");
    const std::string head = "# my drives\r\n";
    PutPins(head + "E\tremovable\t" + e +
            "\t0A1B2C3D\told label\r\n\n"
            "G\t5\t" +
            g + "\t-\t" + kPhotoCp932 +
            "\n"
            "H\tfixed\t" +
            h + "\t-\tkeep");
    ASSERT_TRUE(Load()) << error_;

    ASSERT_TRUE(table_.SetVolumeLabel(e + "/", "新しい名前"));
    ASSERT_TRUE(table_.SetVolumeLabel(g, "DVD"));  // the CP932 line is written back as UTF-8
    ASSERT_TRUE(table_.SetVolumeLabel(h, ""));     // the last line keeps having no line end
    const std::string expected = head + "E\tremovable\t" + e +
                                 "\t0A1B2C3D\t新しい名前\r\n\n"
                                 "G\t5\t" +
                                 g +
                                 "\t-\tDVD\n"
                                 "H\tfixed\t" +
                                 h + "\t-\t";
    EXPECT_EQ(FileBytes(path_), expected);

    // Labels that cannot be written, a file damaged since, and pins made in code leave the
    // file as it is; only the pin made in code takes its new label.
    EXPECT_FALSE(table_.SetVolumeLabel(e, "a\tb"));
    EXPECT_FALSE(table_.SetVolumeLabel(e, "a\rb"));
    EXPECT_FALSE(table_.SetVolumeLabel(e, kPhotoCp932));
    PinInCode('K', code);
    EXPECT_TRUE(table_.SetVolumeLabel(code, "CODE"));
    EXPECT_EQ(FileBytes(path_), expected);
    PutPins(expected + "\nbroken\n");
    EXPECT_FALSE(table_.SetVolumeLabel(e, "lost"));
    EXPECT_EQ(FileBytes(path_), expected + "\nbroken\n");
    EXPECT_EQ(table_.Find('E')->label, "新しい名前");
    EXPECT_EQ(table_.Find('K')->label, "CODE");

    // After a restart the labels are still there.
    PutPins(expected);
    DriveTable restarted(world_.configDir());
    restarted.SetPinnedOnly(true);
    ASSERT_TRUE(restarted.LoadPinnedDrives(&error_)) << error_;
    EXPECT_EQ(restarted.Find('E')->label, "新しい名前");
    EXPECT_EQ(restarted.Find('G')->label, "DVD");
}

TEST_F(PinnedDrivesTest, LabelWriteBackKeepsTheFilesModeAndLink) {
    const std::string e = Folder("e");
    const std::string kept = JoinPath(Folder("dotfiles"), "pins.tsv");
    PutFileBytes(kept, "E\t2\t" + e + "\t-\tOLD\r\n");
    ::chmod(kept.c_str(), 0600);
    fs::create_symlink(kept, path_);
    ASSERT_TRUE(Load()) << error_;

    ASSERT_TRUE(table_.SetVolumeLabel(e, "NEW"));
    EXPECT_TRUE(fs::is_symlink(path_));
    EXPECT_EQ(FileBytes(kept), "E\t2\t" + e + "\t-\tNEW\r\n");
    struct stat status {};
    ASSERT_EQ(::stat(kept.c_str(), &status), 0);
    EXPECT_EQ(status.st_mode & 07777, 0600u);
}

}  // namespace
}  // namespace tv
