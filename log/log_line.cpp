#include "log/log_line.h"

#include <cstdint>
#include <vector>

#include "platform/text_file.h"

namespace tv {

namespace {

constexpr char kFieldSeparator = '\t';

// The fields the program fills with its own words. Lines written by this program hold them in
// UTF-8 even where a name beside them is not; the Windows original wrote them in CP932.
constexpr int kOwnWordFields[] = {1, 4, 5, 6, 11};

bool IsLineBreakOrTab(uint8_t byte) { return byte == '\t' || byte == '\r' || byte == '\n'; }

bool IsC0OrDelete(uint8_t byte) { return byte < 0x20 || byte == 0x7F; }

// U+0080..U+009F, which UTF-8 writes as C2 80..C2 9F.
bool IsC1Control(const std::string& text, size_t pos, size_t length) {
    return length == 2 && static_cast<uint8_t>(text[pos]) == 0xC2 &&
           static_cast<uint8_t>(text[pos + 1]) <= 0x9F;
}

// A literal backslash that a reader could take for the start of an escape.
bool IsBackslashBeforeX(const std::string& text, size_t pos) {
    return text[pos] == '\\' && pos + 1 < text.size() && text[pos + 1] == 'x';
}

void AppendEscapedByte(uint8_t byte, std::string* out) {
    static constexpr char kHexDigits[] = "0123456789ABCDEF";
    *out += "\\x";
    *out += kHexDigits[byte >> 4];
    *out += kHexDigits[byte & 0x0F];
}

enum class Written { kAsItIs, kAsBlank, kEscaped };

// How the character of length bytes at text[pos] goes into a line; length 0 means a byte that
// starts no valid UTF-8 sequence.
Written HowWritten(const std::string& text, size_t pos, size_t length) {
    const uint8_t byte = static_cast<uint8_t>(text[pos]);
    if (length == 1 && IsLineBreakOrTab(byte)) return Written::kAsBlank;
    if (length == 0 || (length == 1 && IsC0OrDelete(byte)) || IsC1Control(text, pos, length) ||
        IsBackslashBeforeX(text, pos)) {
        return Written::kEscaped;
    }
    return Written::kAsItIs;
}

// Escaping keeps the byte values visible in the viewer (a CP932 name stays recognisable) and
// keeps terminal control sequences inert for anyone who prints a day file.
std::string FieldOnDisk(const std::string& field) {
    if (field.empty()) return " ";
    std::string text;
    text.reserve(field.size());
    for (size_t pos = 0; pos < field.size();) {
        const size_t length = Utf8SequenceLength(field, pos);
        const size_t end = pos + (length == 0 ? 1 : length);
        switch (HowWritten(field, pos, length)) {
            case Written::kAsBlank:
                text += ' ';
                break;
            case Written::kEscaped:
                for (size_t i = pos; i < end; ++i) {
                    AppendEscapedByte(static_cast<uint8_t>(field[i]), &text);
                }
                break;
            case Written::kAsItIs:
                text.append(field, pos, end - pos);
                break;
        }
        pos = end;
    }
    return text;
}

std::vector<std::string> SplitAtTabs(const std::string& line) {
    std::vector<std::string> fields;
    size_t start = 0;
    for (;;) {
        const size_t tab = line.find(kFieldSeparator, start);
        fields.push_back(line.substr(start, tab == std::string::npos ? tab : tab - start));
        if (tab == std::string::npos) return fields;
        start = tab + 1;
    }
}

bool WrittenWholeInCp932(const std::vector<std::string>& fields) {
    for (const int k : kOwnWordFields) {
        if (static_cast<size_t>(k) < fields.size() && !IsValidUtf8(fields[k])) return true;
    }
    return false;
}

}  // namespace

std::string FormatLogLine(const LogRecord& record) {
    std::string line;
    for (int k = 0; k < LogRecord::kFieldCount; ++k) {
        if (k > 0) line += kFieldSeparator;
        line += FieldOnDisk(record.Field(k));
    }
    line += "\r\n";
    return line;
}

// A tab is never part of a CP932 character, so splitting the raw bytes at tabs cuts no
// character in two.
std::string DecodeLogLine(const std::string& bytes) {
    if (IsValidUtf8(bytes)) return bytes;
    const std::vector<std::string> fields = SplitAtTabs(bytes);
    if (WrittenWholeInCp932(fields)) return DecodeLine(bytes);
    std::string line;
    for (size_t k = 0; k < fields.size(); ++k) {
        if (k > 0) line += kFieldSeparator;
        line += DecodeLine(fields[k]);
    }
    return line;
}

void ParseLogLine(const std::string& line, LogRecord* record) {
    size_t start = 0;
    for (int k = 0; k < LogRecord::kFieldCount; ++k) {
        const size_t tab = line.find(kFieldSeparator, start);
        const size_t end = tab == std::string::npos ? line.size() : tab;
        if (end == start) return;
        record->Field(k).assign(line, start, end - start);
        if (tab == std::string::npos) return;
        start = tab + 1;
    }
}

}  // namespace tv
