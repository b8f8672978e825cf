// The vfat question asked once per volume within a scope (see VolumeKindScope).
#include <algorithm>

#include "platform/file_system.h"
#include "platform/posix/file_system_internal.h"

namespace tv {
namespace {

thread_local VolumeKindScope* current = nullptr;

template <typename Ask>
bool RememberedKind(uint64_t device, Ask ask) {
    VolumeKindScope* scope = VolumeKindScope::Current();
    bool fat = false;
    if (scope && scope->Find(device, &fat)) return fat;
    fat = ask();
    if (scope) scope->Remember(device, fat);
    return fat;
}

}  // namespace

VolumeKindScope::VolumeKindScope() : outer_(current) { current = this; }

VolumeKindScope::~VolumeKindScope() { current = outer_; }

VolumeKindScope* VolumeKindScope::Current() { return current; }

bool VolumeKindScope::Find(uint64_t device, bool* fat) const {
    const auto known = std::find_if(kinds_.begin(), kinds_.end(),
                                    [&](const auto& kind) { return kind.first == device; });
    if (known == kinds_.end()) return false;
    *fat = known->second;
    return true;
}

void VolumeKindScope::Remember(uint64_t device, bool fat) { kinds_.emplace_back(device, fat); }

namespace detail {

bool IsFatVolume(int fd, uint64_t device) {
    return RememberedKind(device, [&] { return IsFatFileSystem(fd); });
}

bool IsFatVolumeAt(const std::string& path, uint64_t device) {
    return RememberedKind(device, [&] { return IsFatFileSystemAt(path); });
}

}  // namespace detail
}  // namespace tv
