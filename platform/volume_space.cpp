#include "platform/volume_space.h"

namespace tv {

std::optional<uint64_t> AvailableBytes(const VolumeCounts& counts) {
    if (counts.totalBlocks == 0) return std::nullopt;
    return counts.availableBlocks * counts.blockSize;
}

}  // namespace tv
