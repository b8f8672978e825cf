// The flat log "log.txt" and its day index "log.idx" in the program directory.
#include "log/flat_log.h"

#include <algorithm>
#include <cstdint>
#include <string>
#include <vector>

#include "log/log_line.h"
#include "log/log_store.h"
#include "platform/file_system.h"
#include "platform/paths.h"
#include "platform/text_file.h"

namespace tv {

namespace {

constexpr const char* kFlatLogName = "log.txt";
constexpr const char* kIndexName = "log.idx";
// The flat log is sorted in memory; a file beyond this size is left alone (and not indexed)
// rather than exhausting memory at start-up.
constexpr uint64_t kMaxFlatLogBytes = 256ull * 1024 * 1024;

struct SortableLine {
    std::string text;
    bool hasResult = false;
    std::string time;
};

std::string Trimmed(const std::string& text) {
    const char* const kWhiteSpace = " \t\r\n\v\f";
    const size_t first = text.find_first_not_of(kWhiteSpace);
    if (first == std::string::npos) return "";
    const size_t last = text.find_last_not_of(kWhiteSpace);
    return text.substr(first, last - first + 1);
}

// Calls visit(offset, bytes) for every line of text, with the byte offset at which it starts.
// Lines end in LF or CR LF; a last line without a line end is still a line.
template <typename Visit>
void ForEachLine(const std::string& text, Visit visit) {
    size_t start = 0;
    while (start < text.size()) {
        const size_t lineEnd = text.find('\n', start);
        const size_t end = lineEnd == std::string::npos ? text.size() : lineEnd;
        size_t length = end - start;
        if (length > 0 && text[end - 1] == '\r') --length;
        visit(static_cast<uint64_t>(start), text.substr(start, length));
        if (lineEnd == std::string::npos) break;
        start = lineEnd + 1;
    }
}

// Reads log.txt, creating it empty when missing; false when it cannot be read or is too big.
bool ReadFlatLog(const std::string& path, std::string* bytes) {
    if (!PathExists(path)) {
        File created;
        if (!created.CreateForWrite(path, /*exclusive=*/false, /*sequential=*/false)) return false;
        bytes->clear();
        return true;
    }
    FileStatus status;
    if (!GetFileStatus(path, &status) || status.size > kMaxFlatLogBytes) return false;
    return ReadWholeFile(path, bytes);
}

// Lines with a result come first; among equals the later time (in byte order) comes first.
bool SortsBefore(const SortableLine& a, const SortableLine& b) {
    if (a.hasResult != b.hasResult) return a.hasResult;
    return a.time > b.time;
}

std::vector<std::string> SortedLines(const std::string& bytes) {
    std::vector<SortableLine> lines;
    ForEachLine(bytes, [&lines](uint64_t, const std::string& raw) {
        SortableLine line;
        line.text = DecodeLogLine(raw);
        LogRecord fields;
        ParseLogLine(line.text, &fields);
        line.hasResult = !Trimmed(fields.result).empty();
        line.time = Trimmed(fields.time);
        lines.push_back(std::move(line));
    });
    std::stable_sort(lines.begin(), lines.end(), SortsBefore);
    std::vector<std::string> texts;
    texts.reserve(lines.size());
    for (SortableLine& line : lines) texts.push_back(std::move(line.text));
    return texts;
}

// One line "date offset" (CR LF, like every text file of the program) per run of equal dates.
std::string IndexText(const std::string& bytes) {
    std::string index;
    std::string previousDate;
    bool first = true;
    ForEachLine(bytes, [&](uint64_t offset, const std::string& raw) {
        const std::string line = DecodeLogLine(raw);
        const std::string date = line.substr(0, line.find('\t'));
        if (first || date != previousDate) {
            index += date + " " + std::to_string(offset) + "\r\n";
        }
        previousDate = date;
        first = false;
    });
    return index;
}

}  // namespace

void CheckLogIndex(const std::string& programDir) {
    File index;
    if (!index.OpenForRead(JoinPath(programDir, kIndexName), /*exclusive=*/false,
                           /*sequential=*/false)) {
        RebuildLogIndex(programDir);
    }
}

// Failures are ignored: the index is only a convenience and is rebuilt at the next start-up
// whenever it is missing.
void RebuildLogIndex(const std::string& programDir) {
    const std::string logPath = JoinPath(programDir, kFlatLogName);
    std::string bytes;
    if (!ReadFlatLog(logPath, &bytes)) return;
    WriteTextLines(logPath, SortedLines(bytes));
    // The offsets are those of the file as it now is on disk, rewritten or not.
    if (!ReadWholeFile(logPath, &bytes)) return;
    WriteFileAtomically(JoinPath(programDir, kIndexName), IndexText(bytes));
}

bool AppendFlatLog(const std::string& programDir, const LogRecord& record) {
    File flatLog;
    if (!flatLog.OpenForAppend(JoinPath(programDir, kFlatLogName), /*exclusive=*/false)) {
        return false;
    }
    const std::string line = FormatLogLine(record);
    return flatLog.AppendWhole(line.data(), line.size());
}

}  // namespace tv
