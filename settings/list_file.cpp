#include "settings/list_file.h"

#include <cstdio>
#include <unordered_set>

#include "platform/file_system.h"
#include "platform/paths.h"
#include "platform/text_file.h"

namespace tv {
namespace {

struct ListSection {
    const char* header;
    std::vector<std::string> SettingsRecord::*list;
};

constexpr ListSection kSections[] = {
    {"[FILE]", &SettingsRecord::FileList},
    {"[EXCEPT]", &SettingsRecord::ExceptList},
    {"[EXT]", &SettingsRecord::ExtList},
    {"[INCEXT]", &SettingsRecord::IncExtList},
};

bool IsHeader(const std::string& line) {
    for (const ListSection& section : kSections) {
        if (line == section.header) return true;
    }
    return false;
}

// An entry holding a line feed would come back as several entries, so it stays out of the file.
// A lone CR is no line end to the reader and is written as it is.
bool FitsOnOneLine(const std::string& entry) { return entry.find('\n') == std::string::npos; }

// "2005年07月01日 09:30:00"
std::string TimeLine(const DateTime& now) {
    char text[64];
    std::snprintf(text, sizeof(text), "%04d年%02d月%02d日 %02d:%02d:%02d", now.Year(), now.Month(),
                  now.Day(), now.Hour(), now.Minute(), now.Second());
    return text;
}

// The index just after the last line equal to header; 0 when there is none.
size_t AfterLastHeader(const std::vector<std::string>& lines, const std::string& header) {
    for (size_t index = lines.size(); index > 0; --index) {
        if (lines[index - 1] == header) return index;
    }
    return 0;
}

std::vector<std::string> EntriesFrom(const std::vector<std::string>& lines, size_t first) {
    std::vector<std::string> entries;
    std::unordered_set<std::string> seen;
    for (size_t index = first; index < lines.size() && !IsHeader(lines[index]); ++index) {
        if (seen.insert(lines[index]).second) entries.push_back(lines[index]);
    }
    return entries;
}

}  // namespace

std::string ListFilePath(const std::string& programDir) {
    return JoinPath(programDir, kListFileName);
}

std::vector<std::string> ListFileLines(const SettingsRecord& record, const DateTime& now) {
    std::vector<std::string> lines = {TimeLine(now)};
    for (const ListSection& section : kSections) {
        lines.push_back(section.header);
        for (const std::string& entry : record.*section.list) {
            if (FitsOnOneLine(entry)) lines.push_back(entry);
        }
    }
    return lines;
}

void ApplyListFileLines(const std::vector<std::string>& lines, SettingsRecord& record) {
    for (const ListSection& section : kSections) {
        const size_t first = AfterLastHeader(lines, section.header);
        if (first > 0) record.*section.list = EntriesFrom(lines, first);
    }
}

bool WriteListFile(const SettingsRecord& record, const std::string& programDir,
                   const DateTime& now) {
    return WriteTextLines(ListFilePath(programDir), ListFileLines(record, now));
}

bool ReadListFile(SettingsRecord& record, const std::string& programDir) {
    const std::string path = ListFilePath(programDir);
    if (!PathExists(path)) return WriteTextLines(path, {});
    std::vector<std::string> lines;
    if (!ReadTextLines(path, &lines)) return false;
    ApplyListFileLines(lines, record);
    return true;
}

}  // namespace tv
