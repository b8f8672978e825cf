#include "platform/whole_sync.h"

#include <gtest/gtest.h>

#include <string>

#include "platform/file_system.h"
#include "platform/paths.h"
#include "tests/support/scoped_mount.h"
#include "tests/support/test_world.h"

namespace tv::test {
namespace {

// The kernel's own file systems are synced whole; the FUSE drivers of Windows media only file
// by file or folder by folder.
TEST(WholeSync, ReachesTheKernelsOwnFileSystemsAndNoFuseDriver) {
    TestWorld world;
    EXPECT_TRUE(WholeSyncReaches(world.base()));
    EXPECT_FALSE(WholeSyncReaches(JoinPath(world.base(), "missing")));
    const std::string ext4Folder = world.MakeFolder("ext4");
    const ScopedMount ext4 = ScopedMount::Ext4Image(JoinPath(world.base(), "ext4.img"), ext4Folder);
    if (!ext4.mounted()) GTEST_SKIP() << MountRefusedMessage(ext4);
    EXPECT_TRUE(WholeSyncReaches(ext4Folder));
    for (const FuseKind kind : {FuseKind::Fat32, FuseKind::Exfat, FuseKind::Ntfs}) {
        SCOPED_TRACE(NameOf(kind));
        const std::string folder = world.MakeFolder(NameOf(kind));
        ScopedMount medium = ScopedMount::FuseImage(
            kind, JoinPath(world.base(), std::string(NameOf(kind)) + ".img"), folder);
        if (!medium.mounted()) GTEST_SKIP() << MountRefusedMessage(medium);
        EXPECT_FALSE(WholeSyncReaches(folder));
        EXPECT_TRUE(CreateFolder(JoinPath(folder, "sub")));
        EXPECT_FALSE(WholeSyncReaches(JoinPath(folder, "sub")));
        EXPECT_TRUE(SyncFolder(JoinPath(folder, "sub")));
    }
}

TEST(WholeSync, AFolderIsSyncedOnlyWhenItCanBeOpened) {
    TestWorld world;
    EXPECT_TRUE(SyncFolder(world.base()));
    EXPECT_FALSE(SyncFolder(JoinPath(world.base(), "missing")));
}

}  // namespace
}  // namespace tv::test
