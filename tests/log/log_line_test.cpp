#include "log/log_line.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/support/file_step_record.h"

namespace tv {
namespace {

LogRecord Read(const std::string& bytes) {
    LogRecord record;
    ParseLogLine(DecodeLogLine(bytes), &record);
    return record;
}

// Every name goes into the line as valid UTF-8 without control characters; the other fields of
// the line are untouched, and reading the line back gives the name as written.
TEST(LogLine, NamesAreWrittenAsValidUtf8WithControlsAndStrayBytesEscaped) {
    const struct {
        const char* what;
        std::string name;
        std::string written;
    } cases[] = {
        {"plain UTF-8 Japanese", "写真 ①ｶﾅ.jpg", "写真 ①ｶﾅ.jpg"},
        {"CP932 テスト", "\x83\x65\x83\x58\x83\x67.txt", R"(\x83e\x83X\x83g.txt)"},
        {"CP932 表x: trail byte 0x5C before x", "\x95\x5cx", R"(\x95\x5Cx)"},
        {"CP932 表 alone", "\x95\x5c", R"(\x95\)"},
        {"lone 0xFF", "a\xff", R"(a\xFF)"},
        {"cut-short UTF-8", "\xe3\x81", R"(\xE3\x81)"},
        {"overlong slash", "\xc0\xaf", R"(\xC0\xAF)"},
        {"surrogate", "\xed\xa0\x80", R"(\xED\xA0\x80)"},
        {"ESC sequence", "\x1b[2J\x1b]0;owned\x07.txt", R"(\x1B[2J\x1B]0;owned\x07.txt)"},
        {"NUL", std::string("a\0b", 3), R"(a\x00b)"},
        {"DEL", "a\x7f", R"(a\x7F)"},
        {"C1 CSI",
         "a\xc2\x9b"
         "31m",
         R"(a\xC2\x9B31m)"},
        {"first C1", "\xc2\x80", R"(\xC2\x80)"},
        {"no-break space after the C1 range", "\xc2\xa0", "\xc2\xa0"},
        {"tab and line ends become blanks", "a\tb\r\nc", "a b  c"},
        {"backslash", R"(a\b\)", R"(a\b\)"},
        {"backslash before x", R"(\x41)", R"(\x5Cx41)"},
        {"two backslashes before x", R"(\\x)", R"(\\x5Cx)"},
        {"backslash before upper-case X", R"(\X41)", R"(\X41)"},
        {"empty", "", " "},
    };
    for (const auto& c : cases) {
        LogRecord record = test::FileStepRecord("2005/07/01", "09:30:00", "ファイル作成",
                                                "バックアップ", "エラー");
        record.name = c.name;
        const std::string line = FormatLogLine(record);
        EXPECT_EQ(line, "2005/07/01\tFile/Directory\t \tE\t自動\tバックアップ\tファイル作成\t" +
                            c.written + "\t/src/a.txt\t/dst/a.txt\t09:30:00\tエラー\r\n")
            << c.what;

        record.name = c.written;
        EXPECT_EQ(test::LogFields(Read(line.substr(0, line.size() - 2))), test::LogFields(record))
            << c.what;
    }
}

// Lines already on disk: UTF-8 lines of this program, lines of older versions that wrote a name
// in its own encoding, and whole CP932 lines of the Windows original.
TEST(LogLine, LinesOnDiskAreDecodedFieldByField) {
    const struct {
        const char* what;
        std::string bytes;
        std::string text;
    } cases[] = {
        {"UTF-8 line", "2005/07/01\tFile/Directory\t \tE\t自動\tバックアップ\tファイル作成\t写真",
         "2005/07/01\tFile/Directory\t \tE\t自動\tバックアップ\tファイル作成\t写真"},
        {"CP932 name beside UTF-8 words",
         "2005/07/01\tFile/Directory\t \tE\t自動\tバックアップ\tファイル作成\t"
         "\x83\x65\x83\x58\x83\x67\x1b[2J\t/s/\x83\x65\x83\x58\x83\x67\t \t09:30:00\tエラー",
         "2005/07/01\tFile/Directory\t \tE\t自動\tバックアップ\tファイル作成\t"
         "テスト\x1b[2J\t/s/テスト\t \t09:30:00\tエラー"},
        {"undecodable name beside UTF-8 words",
         "2005/07/01\tFile/Directory\t \tE\t自動\tミラーリング\tファイル作成\t\xff\t写真",
         "2005/07/01\tFile/Directory\t \tE\t自動\tミラーリング\tファイル作成\t\xef\xbf\xbd\t"
         "写真"},
        {"whole CP932 line with a half-width name that is also valid UTF-8",
         "2005/07/01\tFile/Directory\t \tE\t\x8e\xa9\x93\xae\t"
         "\x83\x6f\x83\x62\x83\x4e\x83\x41\x83\x62\x83\x76\t"
         "\x83\x74\x83\x40\x83\x43\x83\x8b\x8d\xec\x90\xac\t\xc3\xb1.txt\t"
         "C:\\\x95\x5c\\\xc3\xb1.txt\t \t09:30:00\t\x83\x47\x83\x89\x81\x5b",
         "2005/07/01\tFile/Directory\t \tE\t自動\tバックアップ\tファイル作成\tﾃｱ.txt\t"
         "C:\\表\\ﾃｱ.txt\t \t09:30:00\tエラー"},
        {"whole CP932 recognition line",
         "2005/07/01\t\x83\x68\x83\x89\x83\x43\x83\x75\x82\xcc\x94\x46\x8e\xaf\t\xc3\xb1",
         "2005/07/01\tドライブの認識\tﾃｱ"},
        {"extra fields and an empty one are kept", "a\t\tb\t\xff\t\t\t\t\t\t\t\t\t\t\xff",
         "a\t\tb\t\xef\xbf\xbd\t\t\t\t\t\t\t\t\t\t\xef\xbf\xbd"},
    };
    for (const auto& c : cases) EXPECT_EQ(DecodeLogLine(c.bytes), c.text) << c.what;
}

}  // namespace
}  // namespace tv
