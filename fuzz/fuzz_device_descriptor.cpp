// Feeds arbitrary bytes to the CardProbe parser of a storage device's answer to the property
// query; every text it finds must stay within its bound and carry no NUL.
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>

#include "cardprobe/device_descriptor.h"

namespace {

bool Sound(const std::string& text) {
    return text.size() <= tv::cardprobe::kMaxStorageText && text.find('\0') == std::string::npos;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::optional<tv::cardprobe::DeviceDescriptor> descriptor =
        tv::cardprobe::ParseDeviceDescriptor(data, size);
    if (descriptor && !(Sound(descriptor->texts.vendor) && Sound(descriptor->texts.product))) {
        __builtin_trap();
    }
    return 0;
}
