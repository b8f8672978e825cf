// Whether a link lies on the way from the folder the user chose to an entry below it.
#include "platform/file_system.h"
#include "platform/network_paths.h"
#include "platform/paths.h"

namespace tv {
namespace {

bool IsLink(const std::string& path) {
    FileIdentity identity;
    return GetEntryIdentity(path, &identity) && identity.IsLink();
}

}  // namespace

bool HasLinkBelow(const std::string& rootPath, const std::string& entryPath) {
    const std::string path = ToLocalPath(entryPath);
    const std::string base = WithTrailingSeparator(ToLocalPath(rootPath));
    size_t levelEnd = path.size();
    if (path.size() > base.size() && path.compare(0, base.size(), base) == 0) {
        levelEnd = path.find(kSeparator, base.size());
    }
    for (; levelEnd != std::string::npos; levelEnd = path.find(kSeparator, levelEnd + 1)) {
        if (IsLink(path.substr(0, levelEnd))) return true;
    }
    return IsLink(path);
}

}  // namespace tv
