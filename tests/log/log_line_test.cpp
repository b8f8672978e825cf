#include "log/log_line.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/support/file_step_record.h"

namespace tv {
namespace {

LogRecord Read(const std::string& bytes) {
    LogRecord record;
    ParseLogLine(bytes, &record);
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

}  // namespace
}  // namespace tv
