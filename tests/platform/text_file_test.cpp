#include "platform/text_file.h"

#include <gtest/gtest.h>

#include "platform/file_system.h"
#include "platform/paths.h"
#include "tests/support/file_bytes.h"
#include "tests/support/test_world.h"

namespace tv {
namespace {

using test::FileBytes;
using test::PutFileBytes;
using test::TestWorld;
using Lines = std::vector<std::string>;

const std::string kTest = "テスト";
const std::string kTestCp932 = "\x83\x65\x83\x58\x83\x67";
const std::string kReplacement = "\xEF\xBF\xBD";

TEST(TextFile, SplitsAtLfOrCrLfAndKeepsALoneCr) {
    struct Case {
        const char* what;
        std::string bytes;
        Lines lines;
    } const cases[] = {
        {"empty", "", {}},
        {"only a line end", "\r\n", {""}},
        {"mixed ends", "a\r\nb\nc\r\n", {"a", "b", "c"}},
        {"last line without end", "a\nb", {"a", "b"}},
        {"blank lines kept", "a\n\r\n\nb\n", {"a", "", "", "b"}},
        {"lone cr inside", "a\rb\r\nc", {"a\rb", "c"}},
        {"cr at the very end", "a\r", {"a\r"}},
        {"cr cr lf", "a\r\r\n", {"a\r"}},
    };
    for (const auto& c : cases) EXPECT_EQ(c.lines, SplitTextLines(c.bytes)) << c.what;
}

TEST(TextFile, ReadsLinesThatAreNotUtf8AsCp932) {
    TestWorld world;
    const std::string path = JoinPath(world.base(), "list.txt");
    PutFileBytes(path, kTestCp932 + "\r\n" +        // katakana
                           "C:\\\x95\x5c\\x\r\n" +  // 表: its trail byte is a backslash
                           "\xb1\xb2\xb3 kana\n" +  // half-width katakana ｱｲｳ
                           kTest + "\r\n" +         // UTF-8 stays as it is
                           "\x83");                 // a lead byte without its trail
    Lines lines;
    ASSERT_TRUE(ReadTextLines(path, &lines));
    EXPECT_EQ((Lines{kTest, "C:\\表\\x", "ｱｲｳ kana", kTest, kReplacement}), lines);
    EXPECT_FALSE(ReadTextLines(JoinPath(world.base(), "missing.txt"), &lines));
}

TEST(TextFile, WritesCrLfLinesReplacingTheFileAndAppends) {
    TestWorld world;
    const std::string path = JoinPath(world.base(), "out.txt");
    PutFileBytes(path, "old content that is longer than the new one\r\n");
    ASSERT_TRUE(WriteTextLines(path, {"first", "", kTest}));
    EXPECT_EQ("first\r\n\r\n\xe3\x83\x86\xe3\x82\xb9\xe3\x83\x88\r\n", FileBytes(path));
    ASSERT_TRUE(AppendTextLine(path, "more"));
    EXPECT_EQ("first\r\n\r\n\xe3\x83\x86\xe3\x82\xb9\xe3\x83\x88\r\nmore\r\n", FileBytes(path));

    const std::string fresh = JoinPath(world.base(), "fresh.txt");
    ASSERT_TRUE(AppendTextLine(fresh, "one"));
    EXPECT_EQ("one\r\n", FileBytes(fresh));
    EXPECT_FALSE(WriteTextLines(JoinPath(world.base(), "no/such/folder.txt"), {"x"}));
}

TEST(TextFile, Utf8IsCheckedStrictly) {
    struct Case {
        const char* what;
        std::string bytes;
        bool valid;
    } const cases[] = {
        {"ascii and nul", std::string("a\0b", 3), true},
        {"two bytes", "\xc2\x80", true},
        {"three bytes", kTest, true},
        {"highest code point", "\xf4\x8f\xbf\xbf", true},
        {"last before surrogates", "\xed\x9f\xbf", true},
        {"overlong two bytes", "\xc0\x80", false},
        {"overlong c1", "\xc1\xbf", false},
        {"overlong three bytes", "\xe0\x9f\xbf", false},
        {"overlong four bytes", "\xf0\x8f\xbf\xbf", false},
        {"surrogate", "\xed\xa0\x80", false},
        {"above U+10FFFF", "\xf4\x90\x80\x80", false},
        {"f5 lead", "\xf5\x80\x80\x80", false},
        {"lone trail", "\x80", false},
        {"cut short", "\xe3\x83", false},
        {"trail missing mid-text",
         "\xe3\x83"
         "a",
         false},
    };
    for (const auto& c : cases) EXPECT_EQ(c.valid, IsValidUtf8(c.bytes)) << c.what;
}

TEST(TextFile, DecodesCp932) {
    const struct {
        std::string cp932;
        std::string text;
    } cases[] = {
        {kTestCp932, kTest},
        {"\x95\x5c", "表"},  // a trail byte that is '\\' in ASCII
        {"\x91\x53\x8a\x70\x81\x40\x83\x58\x83\x79\x81\x5b\x83\x58\x81\x45\x95\x5c\x8e\xa6",
         "全角　スペース・表示"},
        {"\x87\x40\xb6\xc5\x81\x60", "①ｶﾅ～"},  // vendor characters and half-width kana
        {"a\x80"
         "b",
         "a" + kReplacement + "b"},
        {"\xff\xff", kReplacement + kReplacement},
    };
    for (const auto& c : cases) EXPECT_EQ(c.text, DecodeLine(c.cp932)) << c.text;
}

}  // namespace
}  // namespace tv
