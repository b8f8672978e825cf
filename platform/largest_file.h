// The largest file a folder's file system can hold, where it holds fewer bytes than files reach
// elsewhere: FAT keeps a file's size in 32 bits. A file beyond it can never be stored there, so a
// copy of it is refused before a byte is written instead of failing part-way.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

namespace tv {

inline constexpr uint64_t kLargestFatFile = 0xFFFFFFFFu;  // 4 GiB less one byte

// None when the folder's file system sets no limit known here, or the folder cannot be looked
// at: the writes find out then.
std::optional<uint64_t> LargestFileIn(const std::string& folder);

}  // namespace tv
