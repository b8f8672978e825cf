#include "platform/linux/mountinfo.h"

#include <algorithm>
#include <array>
#include <cstdlib>
#include <limits>

namespace tv {
namespace {

// A line has at least: id, parent, major:minor, root, mount point, options, then optional
// fields ended by "-", then the file-system type, the source and the super options.
constexpr size_t kFieldsBeforeOptional = 6;

// Fields are separated by single blanks; the kernel escapes blanks inside a field, and an
// empty field (an empty source) shows as two blanks in a row.
std::vector<std::string> SplitOnBlanks(const std::string& line) {
    std::vector<std::string> fields;
    size_t pos = 0;
    while (true) {
        const size_t end = line.find(' ', pos);
        fields.push_back(line.substr(pos, end - pos));
        if (end == std::string::npos) return fields;
        pos = end + 1;
    }
}

bool ParseUnsigned(const std::string& text, unsigned* value) {
    if (text.empty() || text.size() > 10) return false;
    unsigned long long result = 0;
    for (const char c : text) {
        if (c < '0' || c > '9') return false;
        result = result * 10 + static_cast<unsigned>(c - '0');
    }
    if (result > std::numeric_limits<unsigned>::max()) return false;
    *value = static_cast<unsigned>(result);
    return true;
}

bool ParseInt(const std::string& text, int* value) {
    unsigned parsed = 0;
    if (!ParseUnsigned(text, &parsed) ||
        parsed > static_cast<unsigned>(std::numeric_limits<int>::max())) {
        return false;
    }
    *value = static_cast<int>(parsed);
    return true;
}

bool ParseDeviceNumbers(const std::string& text, unsigned* major, unsigned* minor) {
    const size_t colon = text.find(':');
    return colon != std::string::npos && ParseUnsigned(text.substr(0, colon), major) &&
           ParseUnsigned(text.substr(colon + 1), minor);
}

bool IsOctalDigit(char c) { return c >= '0' && c <= '7'; }

bool ParseLine(const std::string& line, MountEntry* entry) {
    const std::vector<std::string> fields = SplitOnBlanks(line);
    if (fields.size() < kFieldsBeforeOptional + 3) return false;
    const auto separator = std::find(fields.begin() + kFieldsBeforeOptional, fields.end(), "-");
    if (fields.end() - separator < 3) return false;
    if (!ParseInt(fields[0], &entry->mountId) || !ParseInt(fields[1], &entry->parentId) ||
        !ParseDeviceNumbers(fields[2], &entry->major, &entry->minor)) {
        return false;
    }
    entry->root = UnescapeMountField(fields[3]);
    entry->mountPoint = UnescapeMountField(fields[4]);
    entry->fsType = UnescapeMountField(*(separator + 1));
    entry->source = UnescapeMountField(*(separator + 2));
    return !entry->root.empty() && !entry->mountPoint.empty() && !entry->fsType.empty();
}

}  // namespace

std::vector<MountEntry> ParseMountinfo(const std::string& text) {
    std::vector<MountEntry> entries;
    size_t pos = 0;
    while (pos < text.size()) {
        const size_t end = std::min(text.find('\n', pos), text.size());
        MountEntry entry;
        if (ParseLine(text.substr(pos, end - pos), &entry)) entries.push_back(std::move(entry));
        pos = end + 1;
    }
    return entries;
}

std::string FileSystemTypeOfDevice(const std::vector<MountEntry>& entries, unsigned major,
                                   unsigned minor) {
    for (const MountEntry& entry : entries) {
        if (entry.major == major && entry.minor == minor) return entry.fsType;
    }
    return std::string();
}

std::string UnescapeMountField(const std::string& field) {
    std::string out;
    out.reserve(field.size());
    for (size_t i = 0; i < field.size(); ++i) {
        const bool escape = field[i] == '\\' && i + 3 < field.size() &&
                            IsOctalDigit(field[i + 1]) && IsOctalDigit(field[i + 2]) &&
                            IsOctalDigit(field[i + 3]);
        if (!escape) {
            out += field[i];
            continue;
        }
        const int value =
            (field[i + 1] - '0') * 64 + (field[i + 2] - '0') * 8 + (field[i + 3] - '0');
        out += static_cast<char>(value & 0xFF);
        i += 3;
    }
    return out;
}

bool IsBlockFileSystem(const std::string& fsType) {
    static const std::array<const char*, 13> kTypes = {
        "ext2",  "ext3", "ext4",  "xfs",     "btrfs",   "f2fs", "vfat",
        "exfat", "ntfs", "ntfs3", "fuseblk", "iso9660", "udf"};
    return std::find(kTypes.begin(), kTypes.end(), fsType) != kTypes.end();
}

bool IsNetworkFileSystem(const std::string& fsType) {
    static const std::array<const char*, 5> kTypes = {"cifs", "smb3", "nfs", "nfs4", "fuse.sshfs"};
    return std::find(kTypes.begin(), kTypes.end(), fsType) != kTypes.end();
}

}  // namespace tv
