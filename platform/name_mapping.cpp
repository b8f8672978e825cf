#include "platform/name_mapping.h"

#include <algorithm>
#include <vector>

#include "platform/paths.h"

namespace tv {

namespace {

constexpr unsigned kMappedBase = 0xF000;

// U+F000 + c in UTF-8: three bytes, the first always 0xEF.
std::string MappedCharacter(char c) {
    const unsigned code = kMappedBase + static_cast<unsigned char>(c);
    return {static_cast<char>(0xE0 | (code >> 12)), static_cast<char>(0x80 | ((code >> 6) & 0x3F)),
            static_cast<char>(0x80 | (code & 0x3F))};
}

// The character that the three bytes of name at position stand for, or 0 when they are no
// mapped character.
char UnmappedAt(const std::string& name, size_t position) {
    if (position + 3 > name.size()) return 0;
    const auto byte = [&](size_t i) { return static_cast<unsigned char>(name[position + i]); };
    if (byte(0) != 0xEF || (byte(1) & 0xC0) != 0x80 || (byte(2) & 0xC0) != 0x80) return 0;
    const unsigned code = kMappedBase | ((byte(1) & 0x3Fu) << 6) | (byte(2) & 0x3Fu);
    if (code - kMappedBase >= 0x80) return 0;
    return static_cast<char>(code - kMappedBase);
}

bool IsRefusedTrailing(char c, const NameRefusals& refusals) {
    return (c == '.' && refusals.trailingDot) || (c == ' ' && refusals.trailingSpace);
}

bool IsRefusedCharacter(char c, const NameRefusals& refusals) {
    return IsMappableCharacter(c) && refusals.characters.test(static_cast<unsigned char>(c));
}

// The names of path below root, and what comes before them; false when path is not below root.
bool SplitBelow(const std::string& root, const std::string& path, std::string* prefix,
                std::vector<std::string>* names) {
    *prefix = WithTrailingSeparator(root);
    if (path.size() <= prefix->size() || path.compare(0, prefix->size(), *prefix) != 0) {
        return false;
    }
    for (size_t start = prefix->size(); start <= path.size();) {
        size_t end = path.find(kSeparator, start);
        if (end == std::string::npos) end = path.size();
        names->push_back(path.substr(start, end - start));
        start = end + 1;
    }
    return true;
}

// path with fn applied to every name below root.
std::string EachNameBelow(const std::string& root, const std::string& path,
                          std::string (*fn)(const std::string&, const NameRefusals&),
                          const NameRefusals& refusals) {
    std::string result;
    std::vector<std::string> names;
    if (!SplitBelow(root, path, &result, &names)) return path;
    for (size_t i = 0; i < names.size(); ++i) {
        if (i > 0) result += kSeparator;
        result += fn(names[i], refusals);
    }
    return result;
}

}  // namespace

std::string StoredName(const std::string& name, const NameRefusals& refusals) {
    if (!refusals.MapsAny() || name.empty()) return name;
    std::string stored;
    for (char c : name) {
        stored += IsRefusedCharacter(c, refusals) ? MappedCharacter(c) : std::string(1, c);
    }
    if (IsRefusedTrailing(stored.back(), refusals)) {
        const char last = stored.back();
        stored.pop_back();
        stored += MappedCharacter(last);
    }
    return stored;
}

std::string OriginalName(const std::string& stored, const NameRefusals& refusals) {
    if (!refusals.MapsAny()) return stored;
    std::string name;
    for (size_t i = 0; i < stored.size();) {
        const char c = UnmappedAt(stored, i);
        const bool last = i + 3 == stored.size();
        if (IsRefusedCharacter(c, refusals) || (last && IsRefusedTrailing(c, refusals))) {
            name += c;
            i += 3;
        } else {
            name += stored[i++];
        }
    }
    return name;
}

std::string StoredPathBelow(const std::string& root, const std::string& path,
                            const NameRefusals& refusals) {
    if (!refusals.MapsAny()) return path;
    return EachNameBelow(root, path, StoredName, refusals);
}

std::string OriginalPathBelow(const std::string& root, const std::string& stored,
                              const NameRefusals& refusals) {
    if (!refusals.MapsAny()) return stored;
    return EachNameBelow(root, stored, OriginalName, refusals);
}

bool CanHoldPathBelow(const std::string& root, const std::string& stored,
                      const NameRefusals& refusals) {
    if (!refusals.Any()) return true;
    std::string prefix;
    std::vector<std::string> names;
    if (!SplitBelow(root, stored, &prefix, &names)) return true;
    return std::all_of(names.begin(), names.end(), [&](const std::string& name) {
        return name.empty() || CanHoldName(name, refusals);
    });
}

}  // namespace tv
