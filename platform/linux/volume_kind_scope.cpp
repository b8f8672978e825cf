// The vfat question asked once per volume within a scope (see VolumeKindScope).
#include "platform/file_system.h"
#include "platform/posix/file_system_internal.h"

namespace tv {
namespace {

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

namespace detail {

bool IsFatVolume(int fd, uint64_t device) {
    return RememberedKind(device, [&] { return IsFatFileSystem(fd); });
}

bool IsFatVolumeAt(const std::string& path, uint64_t device) {
    return RememberedKind(device, [&] { return IsFatFileSystemAt(path); });
}

}  // namespace detail
}  // namespace tv
