// The settings dialog's remembered size: the bytes written, and a reader that takes the file
// whole or not at all.
#include "settings/window_size_file.h"

#include <gtest/gtest.h>

#include "platform/paths.h"
#include "tests/support/file_bytes.h"
#include "tests/support/test_world.h"

namespace tv {
namespace {

TEST(WindowSizeFile, WritesOneLineAndReadsItBack) {
    test::TestWorld world;
    const std::string path = JoinPath(world.configDir(), kDialogSizeFileName);
    ASSERT_TRUE(WriteWindowSizeFile(path, {1045, 669}));
    EXPECT_EQ(test::FileBytes(path), "1045 669\r\n");
    EXPECT_EQ(ReadWindowSizeFile(path), (WindowSize{1045, 669}));
    EXPECT_FALSE(WriteWindowSizeFile(path, {0, 669}));
    EXPECT_FALSE(WriteWindowSizeFile(path, {kMaxWindowExtent + 1, 669}));
}

TEST(WindowSizeFile, ReadsOnlyTheExactForm) {
    const struct {
        const char* name;
        std::string bytes;
        std::optional<WindowSize> expected;
    } kCases[] = {
        {"CR LF", "900 600\r\n", WindowSize{900, 600}},
        {"LF", "900 600\n", WindowSize{900, 600}},
        {"no line end", "900 600", WindowSize{900, 600}},
        {"largest", "65535 65535\r\n", WindowSize{65535, 65535}},
        {"empty", "", std::nullopt},
        {"one number", "900\r\n", std::nullopt},
        {"three numbers", "900 600 3\r\n", std::nullopt},
        {"two spaces", "900  600\r\n", std::nullopt},
        {"tab", "900\t600\r\n", std::nullopt},
        {"sign", "+900 600\r\n", std::nullopt},
        {"negative", "900 -600\r\n", std::nullopt},
        {"leading zero", "0900 600\r\n", std::nullopt},
        {"zero", "0 600\r\n", std::nullopt},
        {"too large", "65536 600\r\n", std::nullopt},
        {"six digits", "100000 600\r\n", std::nullopt},
        {"second line", "900 600\r\n900 600\r\n", std::nullopt},
        {"NUL after", std::string("900 600\r\n\0", 10), std::nullopt},
        {"bare CR", "900 600\r", std::nullopt},
        {"text", "wide tall\r\n", std::nullopt},
    };
    for (const auto& c : kCases) {
        EXPECT_EQ(ParseWindowSize(c.bytes), c.expected) << c.name;
    }
}

TEST(WindowSizeFile, IgnoresAMissingHugeOrSpecialFile) {
    test::TestWorld world;
    const std::string path = JoinPath(world.configDir(), kDialogSizeFileName);
    EXPECT_EQ(ReadWindowSizeFile(path), std::nullopt);
    test::PutFileBytes(path, "900 600\r\n" + std::string(1 << 20, ' '));
    EXPECT_EQ(ReadWindowSizeFile(path), std::nullopt);
    EXPECT_EQ(ReadWindowSizeFile(world.configDir()), std::nullopt);
}

}  // namespace
}  // namespace tv
