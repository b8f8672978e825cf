#include "cardprobe/device_descriptor.h"

namespace tv::cardprobe {

namespace {

// The header: Version and Size (4 bytes each); the device type, its modifier, the removable
// media and command queueing flags (a byte each); the 32-bit offsets of the vendor, product,
// revision and serial texts; the bus type and the length of the raw properties, which start
// at byte 36.
constexpr std::size_t kSizeAt = 4;
constexpr std::size_t kRemovableMediaAt = 10;
constexpr std::size_t kVendorOffsetAt = 12;
constexpr std::size_t kProductOffsetAt = 16;
constexpr std::size_t kBusTypeAt = 28;
constexpr std::size_t kHeaderSize = 36;
constexpr uint32_t kBusTypeUsb = 7;

constexpr int kDriveRemovable = 2;
constexpr int kDriveFixed = 3;

uint32_t LittleEndian32(const uint8_t* bytes) {
    return uint32_t(bytes[0]) | uint32_t(bytes[1]) << 8 | uint32_t(bytes[2]) << 16 |
           uint32_t(bytes[3]) << 24;
}

std::string TextAt(const uint8_t* bytes, std::size_t size, std::size_t offsetAt) {
    const std::size_t offset = LittleEndian32(bytes + offsetAt);
    if (offset < kHeaderSize || offset >= size) return std::string();
    std::string text;
    for (std::size_t at = offset; at < size && bytes[at] != 0 && text.size() < kMaxStorageText;
         ++at) {
        text.push_back(static_cast<char>(bytes[at]));
    }
    return text;
}

}  // namespace

std::optional<DeviceDescriptor> ParseDeviceDescriptor(const uint8_t* bytes, std::size_t size) {
    if (bytes == nullptr || size < kHeaderSize) return std::nullopt;
    // The texts lie within the descriptor's own size as well as within what was returned.
    const std::size_t declared = LittleEndian32(bytes + kSizeAt);
    const std::size_t used = declared < size ? declared : size;
    DeviceDescriptor descriptor;
    descriptor.texts = {TextAt(bytes, used, kVendorOffsetAt),
                        TextAt(bytes, used, kProductOffsetAt)};
    descriptor.removableMedia = bytes[kRemovableMediaAt] != 0;
    descriptor.onUsb = LittleEndian32(bytes + kBusTypeAt) == kBusTypeUsb;
    return descriptor;
}

int ProgramDriveType(int systemType, const std::optional<DeviceDescriptor>& descriptor) {
    if (systemType == kDriveFixed && descriptor &&
        (descriptor->removableMedia || descriptor->onUsb)) {
        return kDriveRemovable;
    }
    return systemType;
}

}  // namespace tv::cardprobe
