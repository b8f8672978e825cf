#include <gtest/gtest.h>
#include <sys/stat.h>

#include <cstdlib>
#include <string>

#include "platform/file_system.h"
#include "platform/paths.h"
#include "platform/win_constants.h"
#include "tests/support/file_bytes.h"
#include "tests/support/scoped_mount.h"
#include "tests/support/test_world.h"

namespace tv::test {
namespace {

uint64_t DeviceOf(const std::string& path) {
    struct stat st {};
    EXPECT_EQ(stat(path.c_str(), &st), 0) << path;
    return static_cast<uint64_t>(st.st_dev);
}

// A vfat medium that carries the hidden bit on a file without a leading dot: only the FAT
// attributes can say it is hidden.
class VolumeKindScopeTest : public ::testing::Test {
  protected:
    TestWorld world;
    const std::string slot = world.MakeFolder("slot");
    const std::string file = JoinPath(slot, "plain.txt");
};

TEST_F(VolumeKindScopeTest, ARunRemembersItsVolumesAndTheNextSeesANewMediumAtTheSameDevice) {
    const std::string fatImage = JoinPath(world.base(), "fat.img");
    ASSERT_EQ(std::system(
                  ("truncate -s 8M " + fatImage + " && mkfs.vfat " + fatImage + " >/dev/null 2>&1")
                      .c_str()),
              0)
        << "mkfs.vfat (dosfstools) is missing";
    uint64_t fatDevice = 0;
    {
        ScopedMount fat = ScopedMount::Image(fatImage, slot);
        if (!fat.mounted()) GTEST_SKIP() << MountRefusedMessage(fat);
        fatDevice = DeviceOf(slot);
        PutFileBytes(file, "x");
        const VolumeKindScope run;
        ASSERT_TRUE(SetFileAttributes(file, kAttrHidden));
        EXPECT_EQ(GetFileAttributes(file) & kAttrHidden, kAttrHidden);
        bool onFat = false;
        EXPECT_TRUE(run.Find(fatDevice, &onFat));
        EXPECT_TRUE(onFat);
    }

    // The medium is taken out and another, of another kind, goes into the same slot.
    ScopedMount ext4 = ScopedMount::Ext4Image(JoinPath(world.base(), "ext4.img"), slot);
    if (!ext4.mounted()) GTEST_SKIP() << MountRefusedMessage(ext4);
    if (DeviceOf(slot) != fatDevice) GTEST_SKIP() << "the new medium got another device number";
    PutFileBytes(file, "y");
    const VolumeKindScope nextRun;
    EXPECT_EQ(GetFileAttributes(file) & kAttrHidden, 0u);
    // Read-only is the write bits here, not a FAT bit.
    ASSERT_TRUE(SetFileAttributes(file, kAttrReadOnly));
    struct stat st {};
    ASSERT_EQ(stat(file.c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH), 0u);
    bool onFat = true;
    EXPECT_TRUE(nextRun.Find(fatDevice, &onFat));
    EXPECT_FALSE(onFat);
}

}  // namespace
}  // namespace tv::test
