#include "platform/paths.h"

#include <vector>

namespace tv {

namespace {

// A path as the folders it passes through, with "." and ".." resolved; an absolute path keeps
// its leading separators as its first component, and ".." never climbs above it.
std::vector<std::string> LexicalComponents(const std::string& path) {
    std::vector<std::string> components;
    size_t start = 0;
    while (start < path.size() && path[start] == kSeparator) ++start;
    const std::string anchor = path.substr(0, start);
    if (!anchor.empty()) components.push_back(anchor);
    while (start < path.size()) {
        size_t end = path.find(kSeparator, start);
        if (end == std::string::npos) end = path.size();
        const std::string name = path.substr(start, end - start);
        start = end + 1;
        if (name.empty() || name == ".") continue;
        const bool atAnchor = components.size() == 1 && !anchor.empty();
        if (name == ".." && !components.empty() && components.back() != ".." && !atAnchor) {
            components.pop_back();
        } else if (name != ".." || !atAnchor) {
            components.push_back(name);
        }
    }
    return components;
}

// How many components path has beyond folder, or -1 when it does not lie below it.
long ComponentsBelow(const std::string& path, const std::string& folder) {
    const std::vector<std::string> inner = LexicalComponents(path);
    const std::vector<std::string> outer = LexicalComponents(folder);
    if (inner.size() < outer.size()) return -1;
    for (size_t i = 0; i < outer.size(); ++i) {
        if (inner[i] != outer[i]) return -1;
    }
    // A folder given as ".." or "a/../.." lies above where its components stop, so nothing
    // named below it by ".." is known to be inside it.
    for (size_t i = outer.size(); i < inner.size(); ++i) {
        if (inner[i] == "..") return -1;
    }
    return static_cast<long>(inner.size() - outer.size());
}

}  // namespace

bool EndsWithSeparator(const std::string& path) {
    return !path.empty() && path.back() == kSeparator;
}

std::string WithTrailingSeparator(const std::string& path) {
    return EndsWithSeparator(path) ? path : path + kSeparator;
}

std::string WithoutTrailingSeparators(std::string path) {
    while (path.size() > 1 && EndsWithSeparator(path)) path.pop_back();
    return path;
}

std::string JoinPath(const std::string& folder, const std::string& name) {
    if (folder.empty()) return name;
    if (!name.empty() && name.front() == kSeparator) {
        return EndsWithSeparator(folder) ? folder + name.substr(1) : folder + name;
    }
    return WithTrailingSeparator(folder) + name;
}

std::string AfterLastSeparator(const std::string& path) {
    const auto pos = path.rfind(kSeparator);
    return pos == std::string::npos ? path : path.substr(pos + 1);
}

std::string BeforeLastSeparator(const std::string& path) {
    const auto pos = path.rfind(kSeparator);
    return pos == std::string::npos ? std::string() : path.substr(0, pos);
}

std::string ContainingFolder(const std::string& path) {
    const auto pos = path.rfind(kSeparator);
    if (pos == std::string::npos) return ".";
    return pos == 0 ? std::string(1, kSeparator) : path.substr(0, pos);
}

bool IsNetworkPath(const std::string& path) {
    return path.size() > 2 && path[0] == kSeparator && path[1] == kSeparator &&
           path[2] != kSeparator;
}

bool IsPlainComponent(const std::string& name) {
    if (name.empty() || name == "." || name == "..") return false;
    for (const char c : name) {
        const auto byte = static_cast<unsigned char>(c);
        if (c == kSeparator || byte < 0x20 || byte == 0x7f) return false;
    }
    return true;
}

bool IsStrictlyBelow(const std::string& path, const std::string& folder) {
    return ComponentsBelow(path, folder) > 0;
}

bool IsSameOrBelow(const std::string& path, const std::string& folder) {
    return ComponentsBelow(path, folder) >= 0;
}

}  // namespace tv
