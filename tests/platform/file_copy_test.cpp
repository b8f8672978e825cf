#include <gtest/gtest.h>

#include <string>

#include "platform/file_system.h"
#include "platform/paths.h"
#include "platform/win_constants.h"
#include "tests/support/test_world.h"

namespace tv {
namespace {

using test::Tree;
using test::TreeFile;

std::string Pattern(size_t size) {
    std::string bytes(size, '\0');
    for (size_t i = 0; i < size; ++i) bytes[i] = static_cast<char>((i * 131 + i / 7) & 0xFF);
    return bytes;
}

// Sizes around the copy's buffer of one MiB, where a loop that stops early or late shows.
class CopyFileSizes : public testing::TestWithParam<size_t> {};

TEST_P(CopyFileSizes, CopyKeepsBytesTimesWithNanosecondsAndReadOnly) {
    test::TestWorld world;
    const std::string from = world.MakeFolder("from");
    const std::string to = world.MakeFolder("to");
    const std::string source = JoinPath(from, "data.bin");
    const std::string destination = JoinPath(to, "data.bin");
    world.Write(from, {{"data.bin", TreeFile{Pattern(GetParam())}}});
    world.Write(to, {{"data.bin", TreeFile{"older and longer than some sources"}}});
#ifdef _WIN32
    // Windows keeps times to 100 ns.
    const FileTime access{1120210200, 100};
    const FileTime write{1120210300, 999999900};
#else
    const FileTime access{1120210200, 1};
    const FileTime write{1120210300, 999999999};
#endif
    ASSERT_TRUE(SetFileTimes(source, access, write));
    ASSERT_TRUE(SetFileAttributes(source, kAttrReadOnly));

    ASSERT_TRUE(CopyFile(source, destination));

    FileStatus copy;
    ASSERT_TRUE(GetFileStatus(destination, &copy));
    EXPECT_EQ(copy.lastAccess, access);
    EXPECT_EQ(copy.lastWrite, write);
#ifdef _WIN32
    // Windows marks every new file for archiving.
    EXPECT_EQ(copy.attributes & ~kAttrArchive, kAttrReadOnly);
#else
    EXPECT_EQ(copy.attributes, kAttrReadOnly);
#endif
    EXPECT_EQ(copy.size, GetParam());
    // The whole folder: the copy and no temporary file beside it.
    EXPECT_EQ(world.Read(to),
              (Tree{{"data.bin", TreeFile{Pattern(GetParam()), write.seconds, kAttrReadOnly}}}));
}

INSTANTIATE_TEST_SUITE_P(AroundTheBuffer, CopyFileSizes,
                         testing::Values(0, 1, (1u << 20) - 1, 1u << 20, (3u << 20) + 7));

TEST(CopyFile, AFailedCopyLeavesTheOldDestinationWhole) {
    test::TestWorld world;
    const std::string from = world.MakeFolder("from");
    const std::string to = world.MakeFolder("to");
    world.Write(from, {{"sub", Tree{}}});
    const Tree before = {{"keep.txt", TreeFile{"the old copy", 1000}}};
    world.Write(to, before);
    const std::string destination = JoinPath(to, "keep.txt");

    struct Case {
        const char* what;
        std::string source;
    } const cases[] = {
        {"missing source", JoinPath(from, "missing")},
        {"folder as source", JoinPath(from, "sub")},
#ifndef _WIN32
        // A regular file that opens but fails on the first read: the failure comes after the
        // temporary copy was made.
        {"read error", "/proc/self/mem"},
#endif
    };
    for (const Case& c : cases) {
        EXPECT_FALSE(CopyFile(c.source, destination)) << c.what;
        EXPECT_EQ(world.Read(to), before) << c.what;
    }
    EXPECT_FALSE(CopyFile(destination, to)) << "a folder is never replaced by a file";
    EXPECT_EQ(world.Read(to), before);
}

}  // namespace
}  // namespace tv
