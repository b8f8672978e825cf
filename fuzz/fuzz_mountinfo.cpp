// Feeds arbitrary bytes to the mount table parser and checks what it returns.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "platform/linux/mountinfo.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string text(reinterpret_cast<const char*>(data), size);
    for (const tv::MountEntry& entry : tv::ParseMountinfo(text)) {
        // Unescaping never lengthens a field, so nothing can come out longer than the input.
        if (entry.mountPoint.empty() || entry.mountPoint.size() > size || entry.root.empty() ||
            entry.fsType.empty()) {
            std::abort();
        }
        tv::IsBlockFileSystem(entry.fsType);
        tv::IsNetworkFileSystem(entry.fsType);
    }
    return 0;
}
