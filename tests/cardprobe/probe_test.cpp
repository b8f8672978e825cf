// The probe of a removable drive against a fake sysfs tree shaped like the kernel's: a
// partition's class entry links into its disk's folder, whose device folder holds the texts.
#include "cardprobe/linux/probe.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "cardprobe/linux/sysfs_texts.h"
#include "tests/cardprobe/scratch_world.h"
#include "tests/support/file_bytes.h"

namespace tv::cardprobe {
namespace {

using tv::test::ScratchWorld;

class CardProbeSysfsTest : public ::testing::Test {
  protected:
    // <sysfs>/devices/usb1/host0/block/<disk>/{device/vendor,device/model,<disk>1/partition}
    // with class/block/<disk> and class/block/<disk>1 linking to them.
    void AddDisk(const std::string& disk, const std::string& vendor, const std::string& model) {
        const std::string folder = "sys/devices/usb1/host0/block/" + disk;
        world.MakeFolder(folder + "/device");
        world.MakeFolder(folder + "/" + disk + "1");
        world.MakeFolder("sys/class/block");
        test::PutFileBytes(world.base() + "/" + folder + "/device/vendor", vendor);
        test::PutFileBytes(world.base() + "/" + folder + "/device/model", model);
        test::PutFileBytes(world.base() + "/" + folder + "/" + disk + "1/partition", "1\n");
        const std::string classes = sysfs() + "/class/block/";
        std::filesystem::create_directory_symlink("../../devices/usb1/host0/block/" + disk,
                                                  classes + disk);
        std::filesystem::create_directory_symlink(
            "../../devices/usb1/host0/block/" + disk + "/" + disk + "1", classes + disk + "1");
    }
    std::string sysfs() const { return world.base() + "/sys"; }
    ProbeSources sources() const { return ProbeSources{world.DriveFilePath(), sysfs()}; }

    ScratchWorld world;
};

TEST_F(CardProbeSysfsTest, PartitionAndDiskBothGiveTheDisksTexts) {
    AddDisk("sdq", "Generic \n", "USB SD Reader   \n");
    for (const char* device : {"/dev/sdq1", "/dev/sdq", "sdq1"}) {
        const StorageTexts texts = ReadStorageTexts(sysfs(), device);
        EXPECT_EQ(texts.vendor, "Generic ") << device;
        EXPECT_EQ(texts.product, "USB SD Reader   ") << device;
    }
    for (const char* device : {"", "/dev/sdz1", "/dev/..", "/dev/"}) {
        const StorageTexts texts = ReadStorageTexts(sysfs(), device);
        EXPECT_EQ(texts.vendor, "") << device;
        EXPECT_EQ(texts.product, "") << device;
    }
}

TEST_F(CardProbeSysfsTest, TextsAreCutAtNulAndToTheRecordsSize) {
    AddDisk("sdq", std::string("Ven\0dor\n", 8), std::string(300, 'M'));
    const StorageTexts texts = ReadStorageTexts(sysfs(), "/dev/sdq1");
    EXPECT_EQ(texts.vendor, "Ven");
    EXPECT_EQ(texts.product, std::string(127, 'M'));
}

TEST_F(CardProbeSysfsTest, RemovableDriveIsClassifiedByItsProductText) {
    AddDisk("sdq", "Generic \n", "USB SD Reader   \n");
    world.AddDrive('F', 2, "/dev/sdq1");
    MediaInfo info{};
    EXPECT_EQ(ProbeDrive(sources(), 'F', &info), 1);
    EXPECT_EQ(info.driveType, 2);
    EXPECT_EQ(info.freeSpaceQuery, 1);
    EXPECT_STREQ(info.vendor, "Generic ");
    EXPECT_STREQ(info.product, "USB SD Reader   ");
    EXPECT_EQ(info.mediaKind, 8);
}

TEST_F(CardProbeSysfsTest, RemovableDriveWhoseRootIsGoneStillProbesTheDevice) {
    AddDisk("sdq", "Generic\n", "CF Card\n");
    world.AddDriveLine("G\t2\t" + world.base() + "/gone/\t-\t\t/dev/sdq1\tauto");
    MediaInfo info{};
    EXPECT_EQ(ProbeDrive(sources(), 'G', &info), 1);
    EXPECT_EQ(info.freeSpaceQuery, 0);
    EXPECT_EQ(info.mediaKind, 1);
}

}  // namespace
}  // namespace tv::cardprobe
