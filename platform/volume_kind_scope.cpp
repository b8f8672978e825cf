// The scopes of VolumeKindScope: one stack a thread, and what each scope has learned of the
// volumes it met. Only the side that asks a volume's kind (the FAT ioctls) is the system's own.
#include <algorithm>

#include "platform/file_system.h"

namespace tv {
namespace {

thread_local VolumeKindScope* current = nullptr;

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

}  // namespace tv
