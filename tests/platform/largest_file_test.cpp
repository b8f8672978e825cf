#include "platform/largest_file.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "platform/paths.h"
#include "tests/support/scoped_mount.h"
#include "tests/support/test_world.h"

namespace tv::test {
namespace {

// A medium of one kind, and the largest file its file system is known to hold.
struct Medium {
    const char* name;
    ScopedMount (*mount)(const std::string& image, const std::string& onto);
    std::optional<uint64_t> largest;
};

const Medium kMedia[] = {
    {"KernelVfat",
     [](const std::string& image, const std::string& onto) {
         return ScopedMount::VfatImage(image, onto);
     },
     kLargestFatFile},
    {"Fusefat",
     [](const std::string& image, const std::string& onto) {
         return ScopedMount::FuseImage(FuseKind::Fat32, image, onto);
     },
     kLargestFatFile},
    // FUSE, but not FAT: only the mount table tells the two apart.
    {"ExfatFuse",
     [](const std::string& image, const std::string& onto) {
         return ScopedMount::FuseImage(FuseKind::Exfat, image, onto);
     },
     std::nullopt},
    {"Ext4",
     [](const std::string& image, const std::string& onto) {
         return ScopedMount::Ext4Image(image, onto);
     },
     std::nullopt},
};

class LargestFileTest : public ::testing::TestWithParam<Medium> {
  protected:
    TestWorld world;
};

TEST_P(LargestFileTest, IsKnownForEveryFolderOfTheMedium) {
    const std::string slot = world.MakeFolder("slot");
    ScopedMount medium = GetParam().mount(JoinPath(world.base(), "medium.img"), slot);
    if (!medium.mounted()) GTEST_SKIP() << MountRefusedMessage(medium);
    const std::string folder = world.MakeFolder("slot/DCIM");

    EXPECT_EQ(LargestFileIn(slot), GetParam().largest);
    EXPECT_EQ(LargestFileIn(folder), GetParam().largest);
}

INSTANTIATE_TEST_SUITE_P(Media, LargestFileTest, ::testing::ValuesIn(kMedia),
                         [](const ::testing::TestParamInfo<Medium>& info) {
                             return std::string(info.param.name);
                         });

TEST(LargestFile, IsUnknownWhereNothingCanBeLookedAt) {
    EXPECT_EQ(LargestFileIn("/nonexistent/folder"), std::nullopt);
    EXPECT_EQ(LargestFileIn(""), std::nullopt);
}

}  // namespace
}  // namespace tv::test
