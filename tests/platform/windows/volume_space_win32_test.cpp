// The room of the drive holding a path, asked through its folder.
#include <gtest/gtest.h>

#include <fstream>
#include <string>

#include "platform/volume_space.h"
#include "tests/support/scratch_folder.h"

namespace tv {
namespace {

TEST(VolumeSpaceWin32, AFolderAndAFileInItReportTheirDrive) {
    test::ScratchFolder folder;
    const std::string file = folder.path() + "/data.bin";
    std::ofstream(file) << "x";

    VolumeCounts ofFolder, ofFile;
    ASSERT_TRUE(ReadVolumeCounts(folder.path(), &ofFolder));
    ASSERT_TRUE(ReadVolumeCounts(file, &ofFile));
    EXPECT_GT(ofFolder.totalBlocks, 0u);
    EXPECT_LE(ofFolder.availableBlocks, ofFolder.totalBlocks);
    EXPECT_EQ(ofFile.totalBlocks, ofFolder.totalBlocks);
    ASSERT_TRUE(AvailableBytes(ofFolder).has_value());

    uint64_t used = 0;
    ASSERT_TRUE(ReadUsedBytes(folder.path(), &used));
    EXPECT_LE(used, ofFolder.totalBlocks * ofFolder.blockSize);
}

TEST(VolumeSpaceWin32, APathThatIsNotThereCannotBeAsked) {
    test::ScratchFolder folder;
    VolumeCounts counts;
    uint64_t used = 0;
    EXPECT_FALSE(ReadVolumeCounts(folder.path() + "/missing/deeper", &counts));
    EXPECT_FALSE(ReadUsedBytes(folder.path() + "/missing", &used));
}

}  // namespace
}  // namespace tv
