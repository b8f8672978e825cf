#include "platform/linux/mountinfo.h"

#include <gtest/gtest.h>

#include <string>
#include <tuple>
#include <vector>

namespace tv {
namespace {

// Mount point, root, file-system type and source of each entry, for whole-table comparisons.
using Summary = std::tuple<std::string, std::string, std::string, std::string>;

std::vector<Summary> Summarize(const std::vector<MountEntry>& entries) {
    std::vector<Summary> summary;
    for (const MountEntry& e : entries)
        summary.emplace_back(e.mountPoint, e.root, e.fsType, e.source);
    return summary;
}

// Recorded from a desktop with an SD card, a DVD, a bind mount and a network share.
const char kDesktop[] =
    "22 1 8:2 / / rw,relatime shared:1 - ext4 /dev/sda2 rw,errors=remount-ro\n"
    "23 22 0:21 / /proc rw,nosuid,nodev,noexec,relatime shared:12 - proc proc rw\n"
    "24 22 0:22 / /sys rw,nosuid,nodev,noexec,relatime shared:7 - sysfs sysfs rw\n"
    "25 22 0:5 / /dev rw,nosuid,relatime shared:2 - devtmpfs udev rw,size=8123456k,mode=755\n"
    "40 22 8:1 / /boot/efi rw,relatime shared:30 - vfat /dev/sda1 rw,fmask=0077,dmask=0077\n"
    "88 22 8:17 / /media/user/SD\\040CARD rw,nosuid,nodev,relatime shared:45 - vfat /dev/sdb1 "
    "rw,uid=1000,gid=1000,shortname=mixed,showexec,utf8,flush,errors=remount-ro\n"
    "90 22 11:0 / /media/user/DVD\\011\\134ROM ro,nosuid,nodev,relatime shared:47 - iso9660 "
    "/dev/sr0 ro,nojoliet,check=s,map=n,blocksize=2048\n"
    "92 22 8:2 /srv/data /mnt/bind rw,relatime shared:1 - ext4 /dev/sda2 rw\n"
    "95 22 0:55 / /mnt/share rw,relatime shared:50 master:3 - cifs //fileserver/share "
    "rw,vers=3.1.1\n"
    "96 22 0:56 / /mnt/no\\012tags rw,relatime - nfs4 server:/export rw\n"
    "97 22 0:57 / /mnt/nameless rw - tmpfs  rw\n";

TEST(MountinfoTest, ReadsEveryFieldOfRecordedTable) {
    const std::vector<MountEntry> entries = ParseMountinfo(kDesktop);
    EXPECT_EQ(Summarize(entries), (std::vector<Summary>{
                                      {"/", "/", "ext4", "/dev/sda2"},
                                      {"/proc", "/", "proc", "proc"},
                                      {"/sys", "/", "sysfs", "sysfs"},
                                      {"/dev", "/", "devtmpfs", "udev"},
                                      {"/boot/efi", "/", "vfat", "/dev/sda1"},
                                      {"/media/user/SD CARD", "/", "vfat", "/dev/sdb1"},
                                      {"/media/user/DVD\t\\ROM", "/", "iso9660", "/dev/sr0"},
                                      {"/mnt/bind", "/srv/data", "ext4", "/dev/sda2"},
                                      {"/mnt/share", "/", "cifs", "//fileserver/share"},
                                      {"/mnt/no\ntags", "/", "nfs4", "server:/export"},
                                      {"/mnt/nameless", "/", "tmpfs", ""},
                                  }));
    const MountEntry& card = entries[5];
    EXPECT_EQ(card.mountId, 88);
    EXPECT_EQ(card.parentId, 22);
    EXPECT_EQ(card.major, 8u);
    EXPECT_EQ(card.minor, 17u);
}

TEST(MountinfoTest, SkipsMalformedLinesAndKeepsTheRest) {
    const std::string good = "22 1 8:2 / / rw shared:1 - ext4 /dev/sda2 rw\n";
    const char* const bad[] = {
        "",
        "garbage",
        "22 1 8:2 / / rw shared:1 ext4 /dev/sda2 rw",    // no separator
        "22 1 8:2 / / rw - ext4",                        // too few fields after it
        "x 1 8:2 / / rw - ext4 /dev/sda2 rw",            // id not a number
        "22 1 82 / / rw - ext4 /dev/sda2 rw",            // device numbers without colon
        "99999999999 1 8:2 / / rw - ext4 /dev/sda2 rw",  // id out of range
        "22 1 8: / / rw - ext4 /dev/sda2 rw",
        "22 1 8:2 / / - ext4 /dev/sda2 rw",    // separator where options belong
        "22 1 8:2  / rw - ext4 /dev/sda2 rw",  // empty root
    };
    for (const char* line : bad) {
        const std::vector<MountEntry> entries = ParseMountinfo(good + line + "\n" + good);
        EXPECT_EQ(entries.size(), 2u) << line;
    }
}

TEST(MountinfoTest, TellsTheFileSystemTypeMountedFromADevice) {
    const std::string table =
        std::string(
            "46 28 0:41 / /media/card rw,nosuid,nodev - fuse.fusefat fusefat rw\n"
            "47 28 0:42 / /media/cut rw - fuse.fusefat\n") +  // cut short: no entry
        kDesktop;
    const std::vector<MountEntry> entries = ParseMountinfo(table);
    const struct {
        unsigned major;
        unsigned minor;
        const char* type;
    } cases[] = {
        {0, 41, "fuse.fusefat"},
        {0, 42, ""},
        {8, 17, "vfat"},
        {8, 2, "ext4"},  // mounted twice, bound once
        {0, 99, ""},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(FileSystemTypeOfDevice(entries, c.major, c.minor), c.type)
            << c.major << ":" << c.minor;
    }
}

TEST(MountinfoTest, UnescapesOnlyCompleteOctalEscapes) {
    const struct {
        const char* field;
        const char* expected;
    } cases[] = {
        {"a\\040b", "a b"},     {"\\011\\012\\134", "\t\n\\"},
        {"end\\04", "end\\04"}, {"end\\", "end\\"},
        {"\\08x", "\\08x"},     {"plain", "plain"},
    };
    for (const auto& c : cases) EXPECT_EQ(UnescapeMountField(c.field), c.expected) << c.field;
}

TEST(MountinfoTest, KnowsBlockAndNetworkFileSystems) {
    for (const char* type :
         {"ext4", "xfs", "btrfs", "vfat", "exfat", "ntfs3", "fuseblk", "iso9660", "udf"}) {
        EXPECT_TRUE(IsBlockFileSystem(type)) << type;
        EXPECT_FALSE(IsNetworkFileSystem(type)) << type;
    }
    for (const char* type : {"cifs", "smb3", "nfs", "nfs4", "fuse.sshfs"}) {
        EXPECT_TRUE(IsNetworkFileSystem(type)) << type;
        EXPECT_FALSE(IsBlockFileSystem(type)) << type;
    }
    for (const char* type :
         {"proc", "sysfs", "tmpfs", "overlay", "squashfs", "fuse.gvfsd-fuse", ""}) {
        EXPECT_FALSE(IsBlockFileSystem(type)) << type;
        EXPECT_FALSE(IsNetworkFileSystem(type)) << type;
    }
}

}  // namespace
}  // namespace tv
