// Feeds arbitrary bytes to the reader of the settings dialog's remembered size.
#include <cstddef>
#include <cstdint>
#include <string>

#include "settings/window_size_file.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string bytes(reinterpret_cast<const char*>(data), size);
    const std::optional<tv::WindowSize> parsed = tv::ParseWindowSize(bytes);
    if (!parsed) return 0;
    // Whatever is accepted is a size the writer could have written, and reads back the same.
    if (parsed->width < 1 || parsed->height < 1 || parsed->width > tv::kMaxWindowExtent ||
        parsed->height > tv::kMaxWindowExtent) {
        __builtin_trap();
    }
    if (!(tv::ParseWindowSize(tv::FormatWindowSize(*parsed)) == parsed)) __builtin_trap();
    return 0;
}
