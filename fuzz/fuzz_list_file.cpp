// Feeds arbitrary bytes to the list file reader. Every list it fills must be free of repeats,
// and writing the lists out and reading them back must give the very same lists, or a save
// would change the user's lists.
#include <cstdint>
#include <cstdlib>
#include <set>
#include <string>

#include "platform/text_file.h"
#include "settings/list_file.h"

namespace {

using Lists = std::vector<std::string> tv::SettingsRecord::*;
const Lists kLists[] = {&tv::SettingsRecord::FileList, &tv::SettingsRecord::ExceptList,
                        &tv::SettingsRecord::ExtList, &tv::SettingsRecord::IncExtList};

tv::SettingsRecord ReadLines(const std::string& bytes) {
    std::vector<std::string> lines = tv::SplitTextLines(bytes);
    for (std::string& line : lines) line = tv::DecodeLine(line);
    tv::SettingsRecord record;
    tv::ApplyListFileLines(lines, record);
    return record;
}

std::string FileBytes(const std::vector<std::string>& lines) {
    std::string bytes;
    for (const std::string& line : lines) bytes += line + "\r\n";
    return bytes;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string bytes(reinterpret_cast<const char*>(data), size);
    const tv::SettingsRecord record = ReadLines(bytes);
    for (Lists list : kLists) {
        const std::vector<std::string>& entries = record.*list;
        if (std::set<std::string>(entries.begin(), entries.end()).size() != entries.size()) {
            std::abort();
        }
    }
    const tv::DateTime now = tv::DateTime::FromParts(2005, 7, 1, 9, 30, 0);
    const tv::SettingsRecord again = ReadLines(FileBytes(tv::ListFileLines(record, now)));
    for (Lists list : kLists) {
        if (again.*list != record.*list) std::abort();
    }
    return 0;
}
