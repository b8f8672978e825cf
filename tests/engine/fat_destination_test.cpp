#include <gtest/gtest.h>
#include <sys/statvfs.h>
#include <unistd.h>

#include "platform/file_system.h"
#include "tests/engine/engine_fixture.h"
#include "tests/support/scoped_mount.h"

namespace tv::test {
namespace {

constexpr off_t kFourGiB = off_t{1} << 32;

TreeFile Text(const std::string& content) { return TreeFile{.content = content}; }

// The names and bytes of a tree: fusefat does not set the times it is given.
Tree WithoutTimes(Tree tree) {
    for (auto& [name, node] : tree) {
        node.file.mtime = 0;
        node.children = WithoutTimes(node.children);
    }
    return tree;
}

// The name of the file a walk of folder meets first.
std::string FirstFileListedIn(const std::string& folder) {
    DirectoryEnumerator entries;
    FileStatus entry;
    if (!entries.Open(folder)) return std::string();
    while (entries.Next(&entry)) {
        if (!entry.IsDirectory()) return entry.name;
    }
    return std::string();
}

// A mirror run of a medium onto a FAT32 volume on D:, which holds files below 4 GiB; through the
// kernel's vfat driver or through FUSE (fusefat).
class FatDestinationTest : public EngineTest {
  protected:
    FatDestinationTest() { job.ForceMirror = 1; }

    ScopedMount MountFat(bool fuse) {
        const std::string image = JoinPath(world.base(), "fat32.img");
        return fuse ? ScopedMount::FuseImage(FuseKind::Fat32, image, world.root('D'))
                    : ScopedMount::VfatImage(image, world.root('D'));
    }

    std::string FileLine(const std::string& name, const std::string& result) const {
        return "2005/07/01\t" + RunFields() + "ファイル作成\t" + name + "\t" + Path(name) + "\t" +
               Copy(name) + "\t09:30:00\t" + result + "\r\n";
    }

    const Tree photos = {{"IMG_0001.JPG", Text("1")}, {"IMG_0002.JPG", Text("2")},
                         {"IMG_0003.JPG", Text("3")}, {"IMG_0004.JPG", Text("4")},
                         {"IMG_0005.JPG", Text("5")}, {"IMG_0006.JPG", Text("6")}};
};

class FatDriverTest : public FatDestinationTest, public ::testing::WithParamInterface<bool> {};

// A file FAT cannot hold is refused before a byte of it is written, logged as an error, and the
// pass goes on: every other file is backed up, those listed after it too, and the mirror's
// deletion still runs.
TEST_P(FatDriverTest, AFileBeyondFatsLimitIsAnErrorAndEveryOtherFileIsBackedUp) {
    ScopedMount fat = MountFat(GetParam());
    if (!fat.mounted()) GTEST_SKIP() << MountRefusedMessage(fat);
    world.Write(sourceRoot, photos);
    world.Write(destination, {{"gone.txt", Text("g")}});
    // The file the pass meets first becomes a video of 4 GiB, all of it a hole, which takes no
    // room at the source and no time to read.
    const std::string video = FirstFileListedIn(sourceRoot);
    ASSERT_EQ(truncate(Path(video).c_str(), kFourGiB), 0);

    Run();

    Tree expected = photos;
    expected.erase(video);
    EXPECT_EQ(WithoutTimes(world.Read(destination)), WithoutTimes(expected));
    EXPECT_EQ(outcome.Logged.errors, 1u);
    EXPECT_EQ(outcome.Unstorable.tooLarge, 1u);
    EXPECT_NE(DayFile().find(FileLine(video, "エラー")), std::string::npos) << DayFile();
    EXPECT_NE(DayFile().find("削除\tgone.txt\tマスターになし\t" + Copy("gone.txt")),
              std::string::npos)
        << DayFile();
}

INSTANTIATE_TEST_SUITE_P(Drivers, FatDriverTest, ::testing::Values(false, true),
                         [](const ::testing::TestParamInfo<bool>& info) {
                             return info.param ? "Fusefat" : "KernelVfat";
                         });

// fusefat reports 0 blocks of 0: its room is unknown, not nil, and the files are written.
TEST_F(FatDestinationTest, AFuseVolumeThatReportsNoSizeIsWrittenTo) {
    ScopedMount fat = MountFat(true);
    if (!fat.mounted()) GTEST_SKIP() << MountRefusedMessage(fat);
    struct statvfs counts {};
    ASSERT_EQ(statvfs(world.root('D').c_str(), &counts), 0);
    ASSERT_EQ(counts.f_blocks, 0u) << "fusefat now reports its size; this test needs another way";
    world.Write(sourceRoot, photos);

    EXPECT_EQ(Run(), static_cast<int>(FileResult::Copied));

    EXPECT_EQ(WithoutTimes(world.Read(destination)), WithoutTimes(photos));
    EXPECT_EQ(outcome.Logged.errors, 0u);
}

}  // namespace
}  // namespace tv::test
