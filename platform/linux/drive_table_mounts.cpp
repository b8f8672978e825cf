#include "platform/linux/drive_table_mounts.h"

#include <algorithm>

namespace tv {
namespace {

bool CanBeDrive(const MountEntry& mount) {
    return mount.mountPoint == "/" || IsBlockFileSystem(mount.fsType) ||
           IsNetworkFileSystem(mount.fsType);
}

bool IsHiddenByLaterMount(const std::vector<MountEntry>& mounts, size_t index) {
    return std::any_of(
        mounts.begin() + static_cast<std::ptrdiff_t>(index) + 1, mounts.end(),
        [&](const MountEntry& m) { return m.mountPoint == mounts[index].mountPoint; });
}

bool SameVolume(const MountEntry& a, const MountEntry& b) {
    return a.major == b.major && a.minor == b.minor;
}

// Ranks two mounts of one volume: the system root, then the volume's own root, then the
// shorter mount point.
bool IsBetterMount(const MountEntry& candidate, const MountEntry& current) {
    if ((candidate.mountPoint == "/") != (current.mountPoint == "/")) {
        return candidate.mountPoint == "/";
    }
    if ((candidate.root == "/") != (current.root == "/")) return candidate.root == "/";
    return candidate.mountPoint.size() < current.mountPoint.size();
}

}  // namespace

std::vector<MountEntry> DriveMounts(const std::vector<MountEntry>& mounts) {
    std::vector<MountEntry> chosen;
    for (size_t i = 0; i < mounts.size(); ++i) {
        const MountEntry& mount = mounts[i];
        if (!CanBeDrive(mount) || IsHiddenByLaterMount(mounts, i)) continue;
        const auto same = std::find_if(chosen.begin(), chosen.end(),
                                       [&](const MountEntry& c) { return SameVolume(c, mount); });
        if (same == chosen.end()) {
            chosen.push_back(mount);
        } else if (IsBetterMount(mount, *same)) {
            *same = mount;
        }
    }
    return chosen;
}

}  // namespace tv
