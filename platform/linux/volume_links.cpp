#include "platform/linux/volume_links.h"

#include <blkid.h>
#include <dirent.h>
#include <unistd.h>

#include <cstdlib>
#include <memory>

#include "platform/paths.h"

namespace tv {
namespace {

int HexValue(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

std::string LinkTarget(const std::string& path) {
    char target[4096];
    const ssize_t length = ::readlink(path.c_str(), target, sizeof target);
    if (length <= 0 || static_cast<size_t>(length) >= sizeof target) return std::string();
    return std::string(target, static_cast<size_t>(length));
}

struct DirCloser {
    void operator()(DIR* dir) const { ::closedir(dir); }
};

struct BlkidCacheReleaser {
    void operator()(blkid_struct_cache* cache) const { blkid_put_cache(cache); }
};

}  // namespace

std::string DecodeUdevLinkName(const std::string& name) {
    std::string out;
    out.reserve(name.size());
    for (size_t i = 0; i < name.size(); ++i) {
        const bool escape = name[i] == '\\' && i + 3 < name.size() && name[i + 1] == 'x' &&
                            HexValue(name[i + 2]) >= 0 && HexValue(name[i + 3]) >= 0;
        if (!escape) {
            out += name[i];
            continue;
        }
        out += static_cast<char>(HexValue(name[i + 2]) * 16 + HexValue(name[i + 3]));
        i += 3;
    }
    return out;
}

VolumeLinks::VolumeLinks(std::string devDiskRoot, bool askBlkid)
    : devDiskRoot_(std::move(devDiskRoot)), askBlkid_(askBlkid) {}

std::string VolumeLinks::LinkNameFor(const std::string& folder,
                                     const std::string& deviceName) const {
    const std::string path = JoinPath(devDiskRoot_, folder);
    std::unique_ptr<DIR, DirCloser> dir(::opendir(path.c_str()));
    if (!dir || deviceName.empty()) return std::string();
    while (const dirent* entry = ::readdir(dir.get())) {
        const std::string name = entry->d_name;
        if (name == "." || name == "..") continue;
        if (AfterLastSeparator(LinkTarget(JoinPath(path, name))) == deviceName) return name;
    }
    return std::string();
}

std::string VolumeLinks::AskBlkid(const char* tag, const std::string& deviceName) const {
    if (!askBlkid_ || deviceName.empty()) return std::string();
    blkid_cache rawCache = nullptr;
    if (blkid_get_cache(&rawCache, nullptr) != 0) return std::string();
    std::unique_ptr<blkid_struct_cache, BlkidCacheReleaser> cache(rawCache);
    const std::string device = "/dev/" + deviceName;
    std::unique_ptr<char, decltype(&std::free)> value(
        blkid_get_tag_value(cache.get(), tag, device.c_str()), &std::free);
    return value ? std::string(value.get()) : std::string();
}

std::string VolumeLinks::Uuid(const std::string& deviceName) const {
    const std::string linked = DecodeUdevLinkName(LinkNameFor("by-uuid", deviceName));
    return linked.empty() ? AskBlkid("UUID", deviceName) : linked;
}

std::string VolumeLinks::Label(const std::string& deviceName) const {
    const std::string linked = DecodeUdevLinkName(LinkNameFor("by-label", deviceName));
    return linked.empty() ? AskBlkid("LABEL", deviceName) : linked;
}

}  // namespace tv
