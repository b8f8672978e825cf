#include "platform/pinned_drives_file.h"

#include <algorithm>
#include <climits>
#include <cstdint>
#include <cstdlib>
#include <memory>

#include "platform/file_system.h"
#include "platform/paths.h"
#include "platform/text_file.h"

namespace tv {
namespace {

constexpr size_t kFieldCount = 5;
constexpr size_t kSerialDigits = 8;
constexpr size_t kLetterCount = 26;

// One line of the file as it lies in the bytes: [begin, end) is its text without the line end.
struct RawLine {
    size_t begin = 0;
    size_t end = 0;
};

// A drive line with where it lies, so its label can be rewritten in place.
struct DeclaredDrive {
    DriveInfo drive;
    RawLine raw;
    std::string text;  // the line as UTF-8
};

// Splits like SplitTextLines: a line ends at LF, the CR of a CR LF pair is not part of it.
std::vector<RawLine> RawLines(const std::string& bytes) {
    std::vector<RawLine> lines;
    size_t begin = 0;
    while (begin < bytes.size()) {
        const size_t lf = bytes.find('\n', begin);
        RawLine line{begin, lf == std::string::npos ? bytes.size() : lf};
        if (lf != std::string::npos && line.end > begin && bytes[line.end - 1] == '\r') --line.end;
        lines.push_back(line);
        begin = lf == std::string::npos ? bytes.size() : lf + 1;
    }
    return lines;
}

bool IsIgnored(const std::string& text) { return text.empty() || text.front() == '#'; }

bool IsControlCharacter(char c) {
    const auto byte = static_cast<unsigned char>(c);
    return (byte < 0x20 && c != '\t') || byte == 0x7F;
}

bool HasControlCharacter(const std::string& text) {
    return std::any_of(text.begin(), text.end(), IsControlCharacter);
}

std::vector<std::string> SplitFields(const std::string& text) {
    std::vector<std::string> fields;
    size_t begin = 0;
    for (;;) {
        const size_t tab = text.find('\t', begin);
        fields.push_back(text.substr(begin, tab == std::string::npos ? tab : tab - begin));
        if (tab == std::string::npos) return fields;
        begin = tab + 1;
    }
}

std::string Quoted(const std::string& text) { return "\"" + text + "\""; }

bool ParseLetter(const std::string& field, char* letter) {
    if (field.size() != 1 || field[0] < 'A' || field[0] > 'Z') return false;
    *letter = field[0];
    return true;
}

bool ParseType(const std::string& field, int* type) {
    static const struct {
        const char* word;
        int type;
    } kWords[] = {{"removable", kDriveRemovable},
                  {"fixed", kDriveFixed},
                  {"remote", kDriveRemote},
                  {"cdrom", kDriveCdRom},
                  {"ramdisk", kDriveRamDisk}};
    if (field.size() == 1 && field[0] >= '0' && field[0] <= '6') {
        *type = field[0] - '0';
        return true;
    }
    for (const auto& word : kWords) {
        if (field == word.word) {
            *type = word.type;
            return true;
        }
    }
    return false;
}

bool ParseSerial(const std::string& field, bool* hasSerial, uint32_t* serial) {
    if (field == "-") {
        *hasSerial = false;
        *serial = 0;
        return true;
    }
    if (field.size() != kSerialDigits ||
        field.find_first_not_of("0123456789ABCDEFabcdef") != std::string::npos) {
        return false;
    }
    *hasSerial = true;
    *serial = static_cast<uint32_t>(std::strtoul(field.c_str(), nullptr, 16));
    return true;
}

// The fault of a folder field, or "" when it can be pinned. A network path lies on no drive, so
// a letter pinned to one could never be found again from a path.
std::string FolderFault(const std::string& folder) {
    if (folder.empty() || folder.front() != kSeparator) {
        return "folder " + Quoted(folder) + " is not an absolute path";
    }
    if (IsNetworkPath(folder)) return "folder " + Quoted(folder) + " is a network path";
    if (folder.size() > kMaxPathLength) return "folder is longer than the system allows";
    return "";
}

// Reads one drive line; returns the fault, or "" with *drive filled.
std::string ParseDriveLine(const std::string& text, DriveInfo* drive) {
    if (HasControlCharacter(text)) return "control character in the line";
    const std::vector<std::string> fields = SplitFields(text);
    if (fields.size() != kFieldCount) {
        return "expected 5 tab-separated fields, found " + std::to_string(fields.size());
    }
    if (!ParseLetter(fields[0], &drive->letter)) {
        return "bad drive letter " + Quoted(fields[0]) + " (expected A to Z)";
    }
    if (!ParseType(fields[1], &drive->type)) {
        return "unknown drive type " + Quoted(fields[1]) +
               " (expected 0 to 6, removable, fixed, remote, cdrom or ramdisk)";
    }
    if (std::string fault = FolderFault(fields[2]); !fault.empty()) return fault;
    drive->root = WithTrailingSeparator(fields[2]);
    if (!ParseSerial(fields[3], &drive->hasSerial, &drive->serial)) {
        return "bad serial " + Quoted(fields[3]) + " (expected 8 hex digits or -)";
    }
    drive->label = fields[4];
    drive->pinned = true;
    return "";
}

// The fault of one line, or "" when it is sound; a drive line fills entry->drive.
std::string LineFault(DeclaredDrive* entry, const size_t (&lineOfLetter)[kLetterCount]) {
    if (HasControlCharacter(entry->text)) return "control character in the line";
    if (IsIgnored(entry->text)) return "";
    std::string fault = ParseDriveLine(entry->text, &entry->drive);
    if (!fault.empty()) return fault;
    const size_t first = lineOfLetter[entry->drive.letter - 'A'];
    if (first == 0) return "";
    return std::string("drive letter ") + entry->drive.letter +
           " is declared twice (first on line " + std::to_string(first) + ")";
}

// Every drive line of the file; false with *error at the first fault.
bool ReadDeclarations(const std::string& bytes, std::vector<DeclaredDrive>* declared,
                      PinnedDrivesError* error) {
    if (bytes.size() > kMaxPinnedDrivesFileSize) {
        *error = {0, "larger than " + std::to_string(kMaxPinnedDrivesFileSize) + " bytes"};
        return false;
    }
    const std::vector<RawLine> lines = RawLines(bytes);
    std::vector<DeclaredDrive> drives;
    size_t lineOfLetter[kLetterCount] = {};
    for (size_t i = 0; i < lines.size(); ++i) {
        const std::string raw = bytes.substr(lines[i].begin, lines[i].end - lines[i].begin);
        DeclaredDrive entry{DriveInfo{}, lines[i], DecodeLine(raw)};
        std::string fault = LineFault(&entry, lineOfLetter);
        if (!fault.empty()) {
            *error = {i + 1, std::move(fault)};
            return false;
        }
        if (IsIgnored(entry.text)) continue;
        lineOfLetter[entry.drive.letter - 'A'] = i + 1;
        drives.push_back(std::move(entry));
    }
    *declared = std::move(drives);
    return true;
}

std::string ErrorLine(const std::string& path, const PinnedDrivesError& error) {
    const std::string where = error.line == 0 ? path : path + ":" + std::to_string(error.line);
    return where + ": " + error.reason;
}

// Reads at most one byte past the limit, so a huge or endless file costs no more than that.
// Only a regular file is opened: a pipe put in its place would block the start-up.
bool ReadLimited(const std::string& path, std::string* bytes) {
    FileStatus status;
    if (!GetFileStatus(path, &status) || status.kind != EntryKind::File) return false;
    File file;
    if (!file.OpenForRead(path, false, true)) return false;
    auto buffer = std::make_unique<char[]>(kMaxPinnedDrivesFileSize + 1);
    const int64_t n = file.Read(buffer.get(), kMaxPinnedDrivesFileSize + 1);
    if (n < 0) return false;
    bytes->assign(buffer.get(), static_cast<size_t>(n));
    return true;
}

}  // namespace

bool ParsePinnedDrives(const std::string& bytes, std::vector<DriveInfo>* drives,
                       PinnedDrivesError* error) {
    std::vector<DeclaredDrive> declared;
    PinnedDrivesError fault;
    if (!ReadDeclarations(bytes, &declared, &fault)) {
        if (error) *error = std::move(fault);
        return false;
    }
    drives->clear();
    for (DeclaredDrive& entry : declared) drives->push_back(std::move(entry.drive));
    return true;
}

bool ReplacePinnedLabel(const std::string& bytes, char letter, const std::string& label,
                        std::string* updated) {
    // A label that is not UTF-8 would make the whole line read back as CP932, folder and all.
    if (label.find('\t') != std::string::npos || HasControlCharacter(label) ||
        !IsValidUtf8(label)) {
        return false;
    }
    std::vector<DeclaredDrive> declared;
    PinnedDrivesError fault;
    if (!ReadDeclarations(bytes, &declared, &fault)) return false;
    const auto entry = std::find_if(declared.begin(), declared.end(),
                                    [letter](const auto& d) { return d.drive.letter == letter; });
    if (entry == declared.end()) return false;
    // The line is written back as UTF-8 (decoded text), so a CP932 line keeps its meaning.
    const std::string& text = entry->text;
    const std::string line = text.substr(0, text.rfind('\t') + 1) + label;
    std::string result = bytes.substr(0, entry->raw.begin) + line + bytes.substr(entry->raw.end);
    if (result.size() > kMaxPinnedDrivesFileSize) return false;
    *updated = std::move(result);
    return true;
}

bool ReadPinnedDrivesFile(const std::string& path, std::vector<DriveInfo>* drives,
                          std::string* error) {
    std::string bytes;
    if (!ReadLimited(path, &bytes)) {
        if (!PathExists(path)) {
            drives->clear();
            return true;
        }
        if (error) *error = ErrorLine(path, {0, "cannot be read"});
        return false;
    }
    PinnedDrivesError fault;
    if (ParsePinnedDrives(bytes, drives, &fault)) return true;
    if (error) *error = ErrorLine(path, fault);
    return false;
}

bool WritePinnedLabel(const std::string& path, char letter, const std::string& label) {
    const std::string target = ResolvedPath(path);
    std::string bytes;
    std::string updated;
    return ReadLimited(target, &bytes) && ReplacePinnedLabel(bytes, letter, label, &updated) &&
           WriteFileAtomically(target, updated, FileAccess::AsBefore);
}

}  // namespace tv
