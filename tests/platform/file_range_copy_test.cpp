#include <gtest/gtest.h>
#include <sys/stat.h>

#include <random>
#include <string>

#include "platform/file_system.h"
#include "platform/paths.h"
#include "tests/support/file_bytes.h"
#include "tests/support/test_world.h"

namespace tv::test {
namespace {

std::string RandomBytes(size_t size) {
    std::mt19937 random(static_cast<unsigned>(size));
    std::string bytes(size, '\0');
    for (char& b : bytes) b = static_cast<char>(random());
    return bytes;
}

class FileRangeCopyTest : public ::testing::Test {
  protected:
    // Copies length bytes of a source holding bytes from `from` to `to` of a new file.
    int64_t CopyRange(const std::string& bytes, int64_t from, int64_t to, size_t length,
                      RangeCopyError* error) {
        PutFileBytes(sourcePath, bytes);
        File source, target;
        EXPECT_TRUE(source.OpenForRead(sourcePath, false, true));
        EXPECT_TRUE(target.CreateNewForWrite(targetPath, false, false));
        return target.CopyRangeFrom(source, from, to, length, error);
    }

    TestWorld world;
    const std::string folder = world.MakeFolder("files");
    const std::string sourcePath = JoinPath(folder, "source");
    const std::string targetPath = JoinPath(folder, "target");
};

TEST_F(FileRangeCopyTest, EveryByteUpToTheSourcesEndArrivesInOneCall) {
    for (const size_t size : {size_t{0}, size_t{1}, size_t{65535}, size_t{65536}, size_t{65537},
                              size_t{(3u << 20) + 7}}) {
        SCOPED_TRACE(size);
        std::remove(targetPath.c_str());
        const std::string bytes = RandomBytes(size);
        RangeCopyError error = RangeCopyError::Read;
        EXPECT_EQ(CopyRange(bytes, 0, 0, size + 100, &error), static_cast<int64_t>(size));
        EXPECT_EQ(error, RangeCopyError::None);
        EXPECT_TRUE(FileBytes(targetPath) == bytes) << "the bytes differ";
    }
}

TEST_F(FileRangeCopyTest, AStretchLandsAtItsPlaceAndWhatLiesBeforeItReadsAsZeros) {
    const std::string bytes = RandomBytes(10000);
    RangeCopyError error = RangeCopyError::Read;
    EXPECT_EQ(CopyRange(bytes, 1000, 5000, 3000, &error), 3000);
    EXPECT_EQ(error, RangeCopyError::None);
    EXPECT_TRUE(FileBytes(targetPath) == std::string(5000, '\0') + bytes.substr(1000, 3000));
}

TEST_F(FileRangeCopyTest, ACopyTheKernelCannotMakeSaysSoAndLeavesTheCallerToReadAndWrite) {
    // The kernel copies into no file opened for appending.
    PutFileBytes(sourcePath, "abc");
    File source, appended;
    ASSERT_TRUE(source.OpenForRead(sourcePath, false, true));
    ASSERT_TRUE(appended.OpenForAppend(targetPath, false));
    RangeCopyError error = RangeCopyError::None;
    EXPECT_EQ(appended.CopyRangeFrom(source, 0, 0, 3, &error), 0);
    EXPECT_EQ(error, RangeCopyError::Unsupported);
    EXPECT_EQ(FileBytes(targetPath), "");
}

}  // namespace
}  // namespace tv::test
