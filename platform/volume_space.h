// What a volume's block counts say about the room a caller has left on it.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

namespace tv {

struct VolumeCounts {
    uint64_t totalBlocks = 0;
    uint64_t availableBlocks = 0;  // the free blocks the caller may use
    uint64_t blockSize = 0;
};

// The bytes the caller may still write; none when the volume reports no size at all, as some
// FUSE file systems do (0 of 0 blocks): its room is unknown then, not nil, and only writing
// finds out.
std::optional<uint64_t> AvailableBytes(const VolumeCounts& counts);

// What the file system holding path reports of its blocks; false when it cannot be asked.
bool ReadVolumeCounts(const std::string& path, VolumeCounts* counts);
// The bytes in use on the file system holding path, the blocks kept for the administrator
// included; false when it cannot be asked.
bool ReadUsedBytes(const std::string& path, uint64_t* bytes);

}  // namespace tv
