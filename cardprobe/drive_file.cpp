#include "cardprobe/drive_file.h"

#include <climits>
#include <utility>
#include <vector>

#include "cardprobe/small_file.h"

namespace tv::cardprobe {

namespace {

constexpr std::size_t kFieldCount = 7;

std::vector<std::string_view> SplitTabs(std::string_view line) {
    std::vector<std::string_view> fields;
    std::size_t start = 0;
    while (true) {
        const std::size_t tab = line.find('\t', start);
        if (tab == std::string_view::npos) {
            fields.push_back(line.substr(start));
            return fields;
        }
        fields.push_back(line.substr(start, tab - start));
        start = tab + 1;
    }
}

bool ParseLetter(std::string_view field, char* letter) {
    if (field.size() != 1 || field[0] < 'A' || field[0] > 'Z') return false;
    *letter = field[0];
    return true;
}

bool ParseType(std::string_view field, int* type) {
    if (field.size() != 1 || field[0] < '0' || field[0] > '6') return false;
    *type = field[0] - '0';
    return true;
}

int HexDigitValue(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

bool ParseSerial(std::string_view field, bool* hasSerial, uint32_t* serial) {
    if (field == "-") {
        *hasSerial = false;
        *serial = 0;
        return true;
    }
    if (field.size() != 8) return false;
    uint32_t value = 0;
    for (char c : field) {
        const int digit = HexDigitValue(c);
        if (digit < 0) return false;
        value = (value << 4) | static_cast<uint32_t>(digit);
    }
    *hasSerial = true;
    *serial = value;
    return true;
}

char UpperLetter(int letter) {
    if (letter >= 'a' && letter <= 'z') return static_cast<char>(letter - 'a' + 'A');
    if (letter >= 'A' && letter <= 'Z') return static_cast<char>(letter);
    return 0;
}

// Absolute as the program writes its paths: "/..." on Linux, "X:/..." (or "X:\...") on Windows.
bool IsAbsolute(std::string_view path) {
#ifdef _WIN32
    return path.size() >= 3 && UpperLetter(path[0]) != 0 && path[1] == ':' &&
           (path[2] == '/' || path[2] == '\\');
#else
    return !path.empty() && path[0] == '/';
#endif
}

// An absolute path that fits the platform's limit; the separator at its end is added when
// missing, so that file names can be appended.
bool ParseRoot(std::string_view field, std::string* root) {
    if (!IsAbsolute(field) || field.size() >= PATH_MAX) return false;
    root->assign(field);
    if (root->back() != '/') root->push_back('/');
    return true;
}

bool ParsePinned(std::string_view field, bool* pinned) {
    if (field == "pinned" || field == "auto") {
        *pinned = field == "pinned";
        return true;
    }
    return false;
}

}  // namespace

bool ParseDriveLine(std::string_view line, DriveRecord* record) {
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    // A NUL would cut every path built from the line short.
    if (line.find('\0') != std::string_view::npos) return false;
    const std::vector<std::string_view> fields = SplitTabs(line);
    if (fields.size() != kFieldCount) return false;

    DriveRecord parsed;
    if (!ParseLetter(fields[0], &parsed.letter) || !ParseType(fields[1], &parsed.type) ||
        !ParseRoot(fields[2], &parsed.root) ||
        !ParseSerial(fields[3], &parsed.hasSerial, &parsed.serial) ||
        !ParsePinned(fields[6], &parsed.pinned)) {
        return false;
    }
    parsed.label.assign(fields[4]);
    parsed.device.assign(fields[5]);
    *record = std::move(parsed);
    return true;
}

std::optional<DriveRecord> FindDrive(std::string_view table, int letter) {
    const char wanted = UpperLetter(letter);
    if (wanted == 0) return std::nullopt;
    std::size_t start = 0;
    while (start < table.size()) {
        std::size_t end = table.find('\n', start);
        if (end == std::string_view::npos) end = table.size();
        DriveRecord record;
        if (ParseDriveLine(table.substr(start, end - start), &record) && record.letter == wanted) {
            return record;
        }
        start = end + 1;
    }
    return std::nullopt;
}

std::optional<DriveRecord> LookUpDrive(const std::string& path, int letter) {
    std::string table;
    if (path.empty() || !ReadFilePrefix(path, kMaxDriveFileSize + 1, &table)) return std::nullopt;
    if (table.size() > kMaxDriveFileSize) return std::nullopt;
    return FindDrive(table, letter);
}

}  // namespace tv::cardprobe
