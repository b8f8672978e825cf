// The answer of a storage device to the standard query of its properties on Windows
// (IOCTL_STORAGE_QUERY_PROPERTY for StorageDeviceProperty): a fixed header with the device's
// flags, its bus and the offsets of NUL-terminated texts further in the same buffer. The bytes
// come from a device driver, so every offset and text is checked against the bytes returned.
// Portable, so that the parsing is tested everywhere.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>

#include "cardprobe/storage_texts.h"

namespace tv::cardprobe {

struct DeviceDescriptor {
    StorageTexts texts;  // vendor and product, each cut to kMaxStorageText
    bool removableMedia = false;
    bool onUsb = false;
};

// What the descriptor tells; nothing for an answer shorter than its header. A text whose
// offset is 0, points into the header or past the bytes is empty.
std::optional<DeviceDescriptor> ParseDeviceDescriptor(const uint8_t* bytes, std::size_t size);

// The drive type the program uses for a drive of the given system type (MediaInfo's numbers).
// Linux counts every disk with a removable medium or on USB as removable, and so does the
// program here: Windows calls an external USB disk fixed.
int ProgramDriveType(int systemType, const std::optional<DeviceDescriptor>& descriptor);

}  // namespace tv::cardprobe
