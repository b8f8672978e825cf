// The answer of a storage device to the standard query of its properties on Windows
// (IOCTL_STORAGE_QUERY_PROPERTY for StorageDeviceProperty): a fixed header whose offsets point
// at NUL-terminated texts further in the same buffer. The bytes come from a device driver, so
// every offset and text is checked against the bytes returned. Portable, so that the parsing
// is tested everywhere.
#pragma once

#include <cstddef>
#include <cstdint>

#include "cardprobe/storage_texts.h"

namespace tv::cardprobe {

// The vendor and product texts of the descriptor, cut to kMaxStorageText; a text whose offset
// is 0, points into the header or past the bytes is empty.
StorageTexts TextsOfDeviceDescriptor(const uint8_t* bytes, std::size_t size);

}  // namespace tv::cardprobe
