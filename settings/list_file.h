// The list file "フォルダ設定.txt" in the program directory: a time line that reading ignores,
// then the four lists, each under its header line ([FILE], [EXCEPT], [EXT], [INCEXT]), one entry
// per line. Lines are entries as they are: no trimming, and an empty line is an entry.
#pragma once

#include <string>
#include <vector>

#include "platform/date_time.h"
#include "settings/settings_record.h"

namespace tv {

constexpr const char* kListFileName = "フォルダ設定.txt";

std::string ListFilePath(const std::string& programDir);

// The lines of the file for a record, written at local time now. An entry that holds a line feed
// cannot be told apart from two entries when read back and is left out.
std::vector<std::string> ListFileLines(const SettingsRecord& record, const DateTime& now);
// Fills the lists from the lines of a file. Each list is read from after the last line that
// holds its header up to the next header of another list; a list whose header is missing keeps
// its content; an entry that occurs again is held once.
void ApplyListFileLines(const std::vector<std::string>& lines, SettingsRecord& record);

bool WriteListFile(const SettingsRecord& record, const std::string& programDir,
                   const DateTime& now);
// A missing file is created empty; false (lists untouched) when the file cannot be read.
bool ReadListFile(SettingsRecord& record, const std::string& programDir);

}  // namespace tv
