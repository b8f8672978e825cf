#include "platform/paths.h"

namespace tv {

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

}  // namespace tv
