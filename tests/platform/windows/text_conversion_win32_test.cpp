// UTF-8 to the UTF-16 of the Win32 calls and back, the long form of paths, and CP932 lines read
// through code page 932.
#include <gtest/gtest.h>

#include <string>

#include "platform/text_file.h"
#include "platform/unicode_case.h"
#include "platform/windows/wide_text.h"

namespace tv {
namespace {

TEST(TextConversionWin32, Utf8AndUtf16RoundTripBeyondTheBasicPlane) {
    const std::string text = "日本語 \xF0\x9F\x98\x80 a";  // with U+1F600, a surrogate pair
    const std::wstring wide = detail::WideFromUtf8(text);
    EXPECT_EQ(wide, L"日本語 \xD83D\xDE00 a");
    EXPECT_EQ(detail::Utf8FromWide(wide), text);
    EXPECT_EQ(detail::WideFromUtf8("a\xFF"), L"a\xFFFD");
}

TEST(TextConversionWin32, PathsTakeTheLongFormAndComeBackPlain) {
    struct Case {
        const char* path;
        const wchar_t* wide;
        const char* back;
    };
    const Case cases[] = {
        {"C:/Users/a/b.txt", L"\\\\?\\C:\\Users\\a\\b.txt", "C:/Users/a/b.txt"},
        {"C:/Users/a/../b/./c", L"\\\\?\\C:\\Users\\b\\c", "C:/Users/b/c"},
        {"//server/share/x", L"\\\\?\\UNC\\server\\share\\x", "//server/share/x"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.path);
        EXPECT_EQ(detail::WidePath(c.path), c.wide);
        EXPECT_EQ(detail::ProgramPath(c.wide), c.back);
    }
}

TEST(TextConversionWin32, Cp932LinesAreReadThroughTheCodePage) {
    EXPECT_EQ(DecodeLine("\x93\xfa\x96\x7b\x8c\xea"), "日本語");
    EXPECT_EQ(DecodeLine("\xb1\xb2"), "ｱｲ");  // half-width katakana, one byte each
    // A lead byte without its trail byte reads as U+FFFD; the rest still reads.
    EXPECT_EQ(DecodeLine("a\x93"), "a\xEF\xBF\xBD");
    EXPECT_EQ(DecodeLine("plain"), "plain");
}

TEST(TextConversionWin32, UpperCaseComesFromTheInvariantTables) {
    EXPECT_EQ(UnicodeUpperCase(U'ä'), U'Ä');
    EXPECT_EQ(UnicodeUpperCase(U'ω'), U'Ω');
    EXPECT_EQ(UnicodeUpperCase(U'日'), U'日');
    EXPECT_EQ(UnicodeUpperCase(0xD800), 0xD800u);
}

}  // namespace
}  // namespace tv
