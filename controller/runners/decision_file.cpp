#include "controller/runners/decision_file.h"

#include "log/line_reader.h"
#include "platform/drive_table.h"
#include "platform/paths.h"

namespace tv {

namespace {

// The file has always been written through a text-mode stream on Windows, which turns every
// "\n" into CR LF: lines end the same way here, so a file moved between machines reads alike.
constexpr const char* kLineEnd = "\r\n";
// The Japanese date text is written in UTF-8, like all text the program writes. Lookups compare
// only the identifier in front, so lines with CP932 date text from elsewhere match all the same.
constexpr const char* kReadableStart = "%Y年%m月%d日 %H:%M:%S";
constexpr const char* kCompactStart = "%Y%m%d%H%M%S";

// What stands between the fields of a line: identifier, word, readable start time, folder
// name, compact start time.
struct FieldSeparators {
    const char* afterIdentifier;
    const char* afterWord;
    const char* betweenTimesAndName;
};

constexpr FieldSeparators kTabSeparators = {"\t", "\t", "  "};
constexpr FieldSeparators kCommaSeparators = {",", ",", ","};

// folderName is what the medium's backup folder is named after: the serial in hexadecimal, or
// the serial file's text.
std::string DecisionLine(const std::string& identifier, bool known, const DateTime& start,
                         const std::string& folderName, const FieldSeparators& separators) {
    return identifier + separators.afterIdentifier + (known ? "MIRROR" : "BACKUP") +
           separators.afterWord + start.Format(kReadableStart) + separators.betweenTimesAndName +
           folderName + separators.betweenTimesAndName + start.Format(kCompactStart) + kLineEnd;
}

// A control character would end the line early or make it unreadable as one line, and an
// empty identifier would be the front of every line.
bool CanBeWrittenAsIdentifier(const std::string& identifier) {
    if (identifier.empty()) return false;
    for (const char c : identifier) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte < 0x20 || byte == 0x7f) return false;
    }
    return true;
}

bool BeginsWith(const std::string& line, const std::string& prefix) {
    return line.compare(0, prefix.size(), prefix) == 0;
}

}  // namespace

std::string DecisionFile::VolumeIdentifier(uint32_t volumeSerial) {
    return std::to_string(volumeSerial);
}

bool DecisionFile::Open(const std::string& programDir) {
    return file_.OpenForReadAppend(JoinPath(programDir, kFileName), /*exclusive=*/true);
}

void DecisionFile::Close() { file_.Close(); }

bool DecisionFile::Find(const std::string& identifier) {
    if (!CanBeWrittenAsIdentifier(identifier) || !file_.SeekTo(0)) return false;
    LineReader reader;
    std::string line;
    while (reader.Next(&file_, &line)) {
        if (BeginsWith(line, identifier)) return true;
    }
    return false;
}

bool DecisionFile::Append(uint32_t volumeSerial, DecisionLayout layout, bool known,
                          const DateTime& start) {
    const FieldSeparators& separators =
        layout == DecisionLayout::Tabs ? kTabSeparators : kCommaSeparators;
    return AppendLine(DecisionLine(VolumeIdentifier(volumeSerial), known, start,
                                   SerialFolderName(volumeSerial), separators));
}

bool DecisionFile::Append(const std::string& serialText, bool known, const DateTime& start) {
    if (!CanBeWrittenAsIdentifier(serialText)) return false;
    return AppendLine(DecisionLine(serialText, known, start, serialText, kCommaSeparators));
}

bool DecisionFile::AppendLine(const std::string& line) {
    if (!file_.IsOpen()) return false;
    // After a last line left without its end (a damaged or hand-edited file) the new line would
    // run on from it, and its identifier would no longer begin a line: it starts on a line of
    // its own instead.
    const std::string whole = EndsInLineEnd() ? line : kLineEnd + line;
    return file_.AppendWhole(whole.data(), whole.size());
}

bool DecisionFile::EndsInLineEnd() {
    const int64_t size = file_.Size();
    if (size <= 0) return true;
    char last = 0;
    return file_.SeekTo(size - 1) && file_.Read(&last, 1) == 1 && last == '\n';
}

}  // namespace tv
