// Feeds arbitrary bytes to the reader of the remembered drive letters and checks that what it
// accepts is written back the same way.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "platform/linux/volume_letter_memory.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string bytes(reinterpret_cast<const char*>(data), size);
    tv::VolumeLetterMemory memory;
    if (!memory.Parse(bytes)) return 0;
    tv::VolumeLetterMemory again;
    if (!again.Parse(memory.Format()) || again.Format() != memory.Format()) std::abort();
    return 0;
}
