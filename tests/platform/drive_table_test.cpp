#include "platform/drive_table.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

#include "platform/linux/volume_label_udisks.h"
#include "platform/linux/volume_letter_memory.h"
#include "platform/linux/volume_links.h"
#include "platform/linux/volume_serial.h"
#include "platform/paths.h"
#include "tests/support/file_bytes.h"
#include "tests/support/test_world.h"

namespace tv {
namespace {

namespace fs = std::filesystem;
using test::FileBytes;

class DriveTableTest : public ::testing::Test {
  protected:
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

    test::TestWorld world_;
    const std::string base_ = world_.base();
    const std::string config_ = world_.configDir();
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

    DriveInfo full;
    full.letter = 'F';
    full.type = kDriveFixed;
    full.root = c + "full";
    full.freeBytes = 12345;
    table.Pin(full);
    uint64_t bytes = 0;
    ASSERT_TRUE(table.FreeBytesAvailable(c + "full/sub", &bytes));
    EXPECT_EQ(bytes, 12345u);
    EXPECT_TRUE(table.FreeBytesAvailable(c, &bytes));
    EXPECT_FALSE(table.FreeBytesAvailable(c + "missing", &bytes));
    uint64_t used = 0;
    ASSERT_TRUE(table.UsedBytes(c, &used));
    EXPECT_GT(used, 0u);
    EXPECT_FALSE(table.UsedBytes(c + "missing", &used));

    table.Unpin('E');
    EXPECT_EQ(table.Find('E'), nullptr);
    EXPECT_FALSE(table.VolumeInformation(e, &serial, &label));
}

// A volume that reports no size at all (0 of 0 blocks) has unknown room, not none.
TEST_F(DriveTableTest, FreeSpaceIsUnknownOnAVolumeOfUnknownSize) {
    DriveTable table(config_);
    table.SetPinnedOnly(true);
    const std::string root = PinFolder(table, 'F', kDriveFixed, "volume");
    const struct {
        VolumeCounts counts;
        bool known;
        uint64_t bytes;
    } cases[] = {
        {{0, 0, 4096}, false, 0},  // no size: writing finds out
        {{0, 0, 0}, false, 0},
        {{1000, 0, 4096}, true, 0},  // full
        {{1000, 10, 4096}, true, 40960},
    };
    for (const auto& c : cases) {
        DriveInfo drive = *table.Find('F');
        drive.reportedCounts = c.counts;
        table.Pin(drive);
        uint64_t bytes = 0;
        EXPECT_EQ(table.FreeBytesAvailable(root, &bytes), c.known) << c.counts.totalBlocks;
        EXPECT_EQ(bytes, c.bytes) << c.counts.totalBlocks;
    }
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

// The system drive's root "/" begins every network path too, yet a share is no part of C:, and
// a free space declared for C: must not be taken for the share's.
TEST_F(DriveTableTest, NetworkPathsLieOnNoDrive) {
    DriveTable table(config_);
    table.SetPinnedOnly(true);
    DriveInfo system;
    system.letter = 'C';
    system.type = kDriveFixed;
    system.root = "/";
    system.freeBytes = 1;
    table.Pin(system);

    EXPECT_EQ(table.DriveOfPath("/home/user"), 'C');
    for (const char* path : {"//server/share", "//server/share/", "//server/share/dir/a.txt"}) {
        EXPECT_EQ(table.DriveOfPath(path), 0) << path;
        EXPECT_EQ(table.DriveType(path), kDriveNoRootDir) << path;
        uint64_t bytes = 0;
        table.FreeBytesAvailable(path, &bytes);
        EXPECT_NE(bytes, 1u) << path;
    }
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
    PinFolder(table, 'G', kDriveFixed, "g\tx");  // a root no line can hold: left out
    ASSERT_TRUE(table.Refresh());

    EXPECT_EQ(FileBytes(config_ + "/drives.tsv"), "C\t3\t" + base_ +
                                                      "/c/\t-\t\t\tpinned\r\n"
                                                      "E\t2\t" +
                                                      base_ +
                                                      "/e/\t1A2B3C4D\tSD CARD\t\tpinned\r\n");

    ASSERT_TRUE(table.SetVolumeLabel(base_ + "/e/", "バックアップ"));
    EXPECT_EQ(FileBytes(config_ + "/drives.tsv"), "C\t3\t" + base_ +
                                                      "/c/\t-\t\t\tpinned\r\n"
                                                      "E\t2\t" +
                                                      base_ +
                                                      "/e/\t1A2B3C4D\tバックアップ\t\tpinned\r\n");
    EXPECT_EQ(table.DisplayName(base_ + "/e"), "バックアップ (E:)");
    EXPECT_FALSE(table.SetVolumeLabel(base_ + "/x/", "X"));

    // A refresh that finds nothing new leaves the file as it is (the media poll refreshes often).
    const auto written = fs::last_write_time(config_ + "/drives.tsv");
    struct stat before {};
    ASSERT_EQ(stat((config_ + "/drives.tsv").c_str(), &before), 0);
    ASSERT_TRUE(table.Refresh());
    struct stat after {};
    ASSERT_EQ(stat((config_ + "/drives.tsv").c_str(), &after), 0);
    EXPECT_EQ(after.st_ino, before.st_ino);
    EXPECT_EQ(fs::last_write_time(config_ + "/drives.tsv"), written);
}

// Automatic drives from a recorded mount table, over fake sysfs and /dev/disk trees.

const char kSataDisk[] = "pci0000:00/0000:00:17.0/ata1/host0/target0:0:0/0:0:0:0/block/sda";
const char kUsbReader[] =
    "pci0000:00/0000:00:14.0/usb2/2-1/2-1:1.0/host6/target6:0:0/6:0:0:0/block/sdb";
const char kInternalReader[] = "pci0000:00/0000:00:1c.0/ata3/host2/target2:0:0/2:0:0:0/block/sdc";
const char kDvd[] = "pci0000:00/0000:00:17.0/ata2/host1/target1:0:0/1:0:0:0/block/sr0";
const char kFloppy[] = "platform/floppy.0/block/fd0";

void WriteBytes(const std::string& path, const std::string& bytes) {
    fs::create_directories(fs::path(path).parent_path());
    std::ofstream(path, std::ios::binary) << bytes;
}

// One line of the kernel's mount table.
std::string Mount(int id, const std::string& numbers, const std::string& root,
                  const std::string& point, const std::string& type, const std::string& source) {
    return std::to_string(id) + " 1 " + numbers + " " + root + " " + point +
           " rw,relatime shared:1 - " + type + " " + source + " rw\n";
}

const std::string kSystemRoot = Mount(27, "8:2", "/", "/", "ext4", "/dev/sda2");
const std::string kPseudo = Mount(22, "0:21", "/", "/proc", "proc", "proc") +
                            Mount(23, "0:22", "/", "/sys", "sysfs", "sysfs") +
                            Mount(25, "0:23", "/", "/dev/shm", "tmpfs", "tmpfs");
const std::string kCard = Mount(88, "8:17", "/", "/media/user/SD\\040CARD", "vfat", "/dev/sdb1");
const std::string kStick = Mount(89, "8:33", "/", "/media/user/STICK", "exfat", "/dev/sdc1");

// One line of a drive for whole-table comparisons: letter, type, root, serial, label, device.
std::string Describe(const DriveInfo& d) {
    char serial[9] = "-";
    if (d.hasSerial) std::snprintf(serial, sizeof serial, "%08X", static_cast<unsigned>(d.serial));
    return std::string(1, d.letter) + " " + std::to_string(d.type) + " " + d.root + " " + serial +
           " [" + d.label + "] " + d.device + (d.pinned ? " pinned" : "");
}

class AutomaticDrivesTest : public ::testing::Test {
  protected:
    void SetUp() override {
        AddDisk(kSataDisk, false, {"sda1", "sda2"});
        AddDisk(kUsbReader, false, {"sdb1"});  // USB sticks often say they are not removable
        AddDisk(kInternalReader, true, {"sdc1"});
        AddDisk(kDvd, true, {});
        AddDisk(kFloppy, true, {});
        AddVolume("sda2", "3f1c2e9a-77b0-4c1e-9d2a-0c5e8f6a1b2c", "");
        AddVolume("sda1", "1A2B-3C4D", "");
        AddVolume("sdb1", "5E6F-7081", "SD\\x20CARD");
        AddVolume("sdc1", "9ABC-DEF0", "STICK");
        AddVolume("sr0", "2023-01-05-10-20-30-00", "写真\\x2fDVD");
        AddVolume("fd0", "0AB1-2C3D", "");
    }

    // A disk as sysfs shows it: its folder under devices/, partitions inside it, and the links
    // of class/block.
    void AddDisk(const std::string& devicePath, bool removable,
                 const std::vector<std::string>& partitions) {
        const std::string folder = Sys("devices/" + devicePath);
        WriteBytes(JoinPath(folder, "removable"), removable ? "1\n" : "0\n");
        fs::create_directories(Sys("class/block"));
        const std::string disk = AfterLastSeparator(devicePath);
        fs::create_symlink("../../devices/" + devicePath, Sys("class/block/" + disk));
        for (const std::string& partition : partitions) {
            WriteBytes(JoinPath(folder, partition + "/partition"), "1\n");
            fs::create_symlink("../../devices/" + devicePath + "/" + partition,
                               Sys("class/block/" + partition));
        }
    }

    // The udev links of a volume; label as udev escapes it.
    void AddVolume(const std::string& device, const std::string& uuid, const std::string& label) {
        fs::create_directories(Dev("by-uuid"));
        fs::create_directories(Dev("by-label"));
        fs::create_symlink("../../" + device, Dev("by-uuid/" + uuid));
        if (!label.empty()) fs::create_symlink("../../" + device, Dev("by-label/" + label));
    }

    DriveTable& Table() {
        if (!table_) {
            table_ = std::make_unique<DriveTable>(world_.configDir());
            table_->SetMountinfoPath(JoinPath(world_.base(), "mountinfo"));
            table_->SetSysfsRoot(Sys(""));
            table_->SetDevDiskRoot(Dev(""));
        }
        return *table_;
    }

    // Refreshes the table over the given mount table and describes its drives.
    std::vector<std::string> RefreshWith(const std::string& mountinfo) {
        WriteBytes(JoinPath(world_.base(), "mountinfo"), mountinfo);
        EXPECT_TRUE(Table().Refresh());
        std::vector<std::string> drives;
        for (const DriveInfo& drive : Table().Drives()) drives.push_back(Describe(drive));
        return drives;
    }

    // The program starting again: a new table that knows only what the config folder holds.
    void Restart() { table_.reset(); }

    std::string Sys(const std::string& path) const {
        return JoinPath(world_.base(), "sys/" + path);
    }
    std::string Dev(const std::string& path) const {
        return JoinPath(world_.base(), "disk/" + path);
    }
    std::string Config(const std::string& name) const { return JoinPath(world_.configDir(), name); }

    test::TestWorld world_;
    std::unique_ptr<DriveTable> table_;
};

TEST_F(AutomaticDrivesTest, RecordedDesktopGetsOneLetterPerVolumeWithItsFacts) {
    const std::string table = kPseudo + kSystemRoot +
                              Mount(40, "8:1", "/", "/boot/efi", "vfat", "/dev/sda1") + kCard +
                              Mount(90, "11:0", "/", "/media/user/DVD", "iso9660", "/dev/sr0") +
                              Mount(92, "8:2", "/srv/data", "/mnt/bind", "ext4", "/dev/sda2") +
                              Mount(93, "8:17", "/DCIM", "/a", "vfat", "/dev/sdb1") +
                              Mount(95, "0:55", "/", "/mnt/share", "cifs", "//fileserver/share") +
                              Mount(96, "2:0", "/", "/media/floppy", "vfat", "/dev/fd0") + kStick;
    EXPECT_EQ(RefreshWith(table), (std::vector<std::string>{
                                      "A 2 /media/floppy/ 0AB12C3D [] /dev/fd0",
                                      "C 3 / 3F1C2E9A [] /dev/sda2",
                                      "D 3 /boot/efi/ 1A2B3C4D [] /dev/sda1",
                                      "E 2 /media/user/SD CARD/ 5E6F7081 [SD CARD] /dev/sdb1",
                                      "F 5 /media/user/DVD/ 20230105 [写真/DVD] /dev/sr0",
                                      "G 4 /mnt/share/ - [] //fileserver/share",
                                      "H 2 /media/user/STICK/ 9ABCDEF0 [STICK] /dev/sdc1",
                                  }));
    EXPECT_EQ(FileBytes(Config("drives.tsv")),
              "A\t2\t/media/floppy/\t0AB12C3D\t\t/dev/fd0\tauto\r\n"
              "C\t3\t/\t3F1C2E9A\t\t/dev/sda2\tauto\r\n"
              "D\t3\t/boot/efi/\t1A2B3C4D\t\t/dev/sda1\tauto\r\n"
              "E\t2\t/media/user/SD CARD/\t5E6F7081\tSD CARD\t/dev/sdb1\tauto\r\n"
              "F\t5\t/media/user/DVD/\t20230105\t写真/DVD\t/dev/sr0\tauto\r\n"
              "G\t4\t/mnt/share/\t-\t\t//fileserver/share\tauto\r\n"
              "H\t2\t/media/user/STICK/\t9ABCDEF0\tSTICK\t/dev/sdc1\tauto\r\n");
    EXPECT_EQ(Table().DisplayName("/media/user/SD CARD/"), "SD CARD (E:)");
    EXPECT_EQ(Table().DisplayName("/boot/efi/"), "ローカル ディスク (D:)");
    EXPECT_EQ(Table().DriveOfPath("/mnt/bind/x"), 'C');
    EXPECT_EQ(Table().DriveOfPath(""), 0);
    EXPECT_EQ(Table().DriveOfPath("/media/user/SD CARD/DCIM"), 'E');
}

TEST_F(AutomaticDrivesTest, MediumReturnsUnderItsLetter) {
    EXPECT_EQ(RefreshWith(kSystemRoot + kCard),
              (std::vector<std::string>{"C 3 / 3F1C2E9A [] /dev/sda2",
                                        "D 2 /media/user/SD CARD/ 5E6F7081 [SD CARD] /dev/sdb1"}));

    // The card is out; a new stick does not take the card's letter.
    RefreshWith(kSystemRoot + kStick);
    EXPECT_EQ(Table().RootOf('D'), "");
    EXPECT_EQ(Table().RootOf('E'), "/media/user/STICK/");

    // After a restart the card comes back, mounted first this time, and still gets D:.
    Restart();
    RefreshWith(kSystemRoot + kCard + kStick);
    EXPECT_EQ(Table().RootOf('D'), "/media/user/SD CARD/");
    EXPECT_EQ(Table().RootOf('E'), "/media/user/STICK/");
    EXPECT_EQ(FileBytes(Config("drive-letters.tsv")), "5E6F-7081\tD\r\n9ABC-DEF0\tE\r\n");
}

TEST_F(AutomaticDrivesTest, PinnedLettersWinOverRememberedOnes) {
    RefreshWith(kSystemRoot + kCard);
    ASSERT_EQ(Table().RootOf('D'), "/media/user/SD CARD/");

    const std::string folder = world_.MakeFolder("mapped");
    DriveInfo pinned;
    pinned.letter = 'D';
    pinned.type = kDriveFixed;
    pinned.root = folder;
    Table().Pin(pinned);
    pinned.letter = 'C';
    Table().Pin(pinned);
    EXPECT_EQ(RefreshWith(kSystemRoot + kCard),
              (std::vector<std::string>{
                  "C 3 " + folder + "/ - []  pinned",
                  "D 3 " + folder + "/ - []  pinned",
                  "E 3 / 3F1C2E9A [] /dev/sda2",
                  "F 2 /media/user/SD CARD/ 5E6F7081 [SD CARD] /dev/sdb1",
              }));

    // The card keeps the letter it was given; "/" is C: again once C: is free.
    Table().Unpin('C');
    Table().Unpin('D');
    RefreshWith(kSystemRoot + kCard);
    EXPECT_EQ(Table().RootOf('C'), "/");
    EXPECT_EQ(Table().RootOf('F'), "/media/user/SD CARD/");
}

TEST_F(AutomaticDrivesTest, OnlyFloppiesGetAAndBEvenWhenLettersRunOut) {
    // A hand-edited memory must not put the card on A:.
    WriteBytes(Config("drive-letters.tsv"), "5E6F-7081\tA\r\n");
    std::string table = kSystemRoot + kCard;
    for (int i = 0; i < 30; ++i) {
        table += Mount(100 + i, "9:" + std::to_string(i), "/", "/srv/v" + std::to_string(i), "xfs",
                       "/dev/md" + std::to_string(i));
    }
    table += Mount(200, "2:0", "/", "/media/floppy", "vfat", "/dev/fd0");
    RefreshWith(table);

    EXPECT_EQ(Table().LogicalDrives(), 0x3FFFFFDu);  // every letter but B:
    EXPECT_EQ(Table().RootOf('A'), "/media/floppy/");
    EXPECT_EQ(Table().RootOf('B'), "");  // no second floppy: B: stays empty
    EXPECT_EQ(Table().RootOf('D'), "/media/user/SD CARD/");
    EXPECT_EQ(Table().RootOf('Z'), "/srv/v21/");
    EXPECT_EQ(Table().DriveOfPath("/srv/v22/file"), 'C');  // no letter was left for it
}

TEST_F(AutomaticDrivesTest, UnreadableMountTableKeepsPinnedDrivesAndFailsCleanly) {
    RefreshWith(kSystemRoot + kCard);
    Table().SetMountinfoPath(JoinPath(world_.base(), "missing"));
    EXPECT_FALSE(Table().Refresh());
    EXPECT_EQ(Table().RootOf('D'), "/media/user/SD CARD/");

    // A recorded volume is not a real one: its label cannot be changed.
    EXPECT_FALSE(Table().SetVolumeLabel("/media/user/SD CARD/", "NEW"));
    EXPECT_EQ(Table().Find('D')->label, "SD CARD");
}

TEST(VolumeLetterMemoryTest, DamagedFileIsRejectedWhole) {
    const struct {
        const char* name;
        std::string bytes;
        bool accepted;
    } cases[] = {
        {"empty", "", true},
        {"lf line ends", "5E6F-7081\tD\n9ABC-DEF0\tE\n", true},
        {"no last line end", "5E6F-7081\tD\r\n9ABC-DEF0\tE", true},
        {"no tab", "5E6F-7081\tD\r\n9ABC-DEF0 E\r\n", false},
        {"two tabs", "5E6F-7081\tD\tX\r\n", false},
        {"lower-case letter", "5E6F-7081\td\r\n", false},
        {"two letters", "5E6F-7081\tDE\r\n", false},
        {"empty key", "\tD\r\n", false},
        {"empty line", "5E6F-7081\tD\r\n\r\n", false},
        {"too many volumes",
         [] {
             std::string many;
             for (size_t i = 0; i <= kMaxRememberedVolumes; ++i)
                 many += std::to_string(i) + "\tD\r\n";
             return many;
         }(),
         false},
    };
    for (const auto& c : cases) {
        VolumeLetterMemory memory;
        memory.Remember("KEPT", 'Q');
        EXPECT_EQ(memory.Parse(c.bytes), c.accepted) << c.name;
        // A rejected file leaves the memory as it was.
        EXPECT_EQ(memory.LetterOf("KEPT"), c.accepted ? 0 : 'Q') << c.name;
    }
}

TEST(VolumeLetterMemoryTest, ForgetsTheLeastRecentlySeenVolumes) {
    VolumeLetterMemory memory;
    for (size_t i = 0; i < kMaxRememberedVolumes; ++i) memory.Remember(std::to_string(i), 'D');
    memory.Remember("0", 'E');    // seen again: now the most recent
    memory.Remember("new", 'F');  // pushes out "1", the oldest
    memory.Remember("bad\tkey", 'G');
    memory.Remember("", 'G');
    EXPECT_EQ(memory.LetterOf("0"), 'E');
    EXPECT_EQ(memory.LetterOf("1"), 0);
    EXPECT_EQ(memory.LetterOf("2"), 'D');
    EXPECT_FALSE(memory.IsHeldByAbsentVolume('G', {}));
    const std::string text = memory.Format();
    EXPECT_EQ(text.substr(text.size() - 12), "0\tE\r\nnew\tF\r\n");
}

TEST(VolumeNamesTest, UdevLinkNamesUuidSerialsAndUdisksPaths) {
    const struct {
        const char* link;
        const char* decoded;
    } links[] = {
        {"SD\\x20CARD", "SD CARD"}, {"a\\x2fb\\x5cc", "a/b\\c"}, {"\\xe5\\x86\\x99", "写"},
        {"end\\x2", "end\\x2"},     {"\\xzz", "\\xzz"},          {"plain", "plain"},
    };
    for (const auto& c : links) EXPECT_EQ(DecodeUdevLinkName(c.link), c.decoded) << c.link;

    const struct {
        const char* uuid;
        bool has;
        uint32_t serial;
    } uuids[] = {
        {"1A2B-3C4D", true, 0x1A2B3C4D},
        {"3f1c2e9a-77b0-4c1e-9d2a-0c5e8f6a1b2c", true, 0x3F1C2E9A},
        {"0123456789ABCDEF", true, 0x01234567},
        {"1234-567", false, 0},
        {"12G4-5678", false, 0},
        {"", false, 0},
    };
    for (const auto& c : uuids) {
        uint32_t serial = 0;
        EXPECT_EQ(SerialFromUuid(c.uuid, &serial), c.has) << c.uuid;
        EXPECT_EQ(serial, c.serial) << c.uuid;
    }

    EXPECT_EQ(UdisksBlockObjectPath("sdb1"), "/org/freedesktop/UDisks2/block_devices/sdb1");
    EXPECT_EQ(UdisksBlockObjectPath("dm-0"), "/org/freedesktop/UDisks2/block_devices/dm_2d0");
}

}  // namespace
}  // namespace tv
