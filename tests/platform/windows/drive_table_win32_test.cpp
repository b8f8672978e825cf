// The drive table on Windows: the system's letters with what their volumes report, and pins
// that win over them.
#include <gtest/gtest.h>

#include <string>

#include "platform/drive_table.h"
#include "platform/paths.h"
#include "platform/win_constants.h"
#include "tests/support/scratch_folder.h"

namespace tv {
namespace {

TEST(DriveTableWin32, TheSystemDriveIsAFixedDiskWithItsVolumeAndRoom) {
    test::ScratchFolder config;
    DriveTable table(config.path());
    ASSERT_TRUE(table.Refresh());

    const DriveInfo* system = table.Find('C');
    ASSERT_NE(system, nullptr);
    EXPECT_EQ(system->root, "C:/");
    EXPECT_EQ(system->type, kDriveFixed);
    EXPECT_FALSE(system->pinned);
    EXPECT_NE(table.LogicalDrives() & (1u << 2), 0u);
    EXPECT_EQ(table.DriveType("C:/"), kDriveFixed);
    EXPECT_EQ(table.DriveType("C:/Windows"), kDriveFixed);

    uint32_t serial = 0;
    std::string label;
    bool hasSerial = false;
    EXPECT_TRUE(table.VolumeInformation("C:/", &serial, &label, &hasSerial));
    EXPECT_TRUE(hasSerial);
    uint64_t free = 0;
    EXPECT_TRUE(table.FreeBytesAvailable("C:/", &free));
    EXPECT_GT(free, 0u);
    // The scratch folder lies on one of the system's drives.
    EXPECT_NE(table.DriveOfPath(config.path()), 0);
}

TEST(DriveTableWin32, APinnedLetterWinsOverTheSystemsDrive) {
    test::ScratchFolder config;
    test::ScratchFolder pinnedFolder;
    DriveTable table(config.path());
    DriveInfo pin;
    pin.letter = 'C';
    pin.type = kDriveRemovable;
    pin.root = WithTrailingSeparator(pinnedFolder.path());
    pin.hasSerial = true;
    pin.serial = 0x1234abcd;
    pin.label = "カード";
    pin.pinned = true;
    table.Pin(pin);
    ASSERT_TRUE(table.Refresh());

    const DriveInfo* c = table.Find('C');
    ASSERT_NE(c, nullptr);
    EXPECT_TRUE(c->pinned);
    EXPECT_EQ(c->root, pin.root);
    EXPECT_EQ(table.DriveType(pin.root), kDriveRemovable);
    EXPECT_EQ(table.DisplayName(pin.root), "カード (C:)");
}

}  // namespace
}  // namespace tv
