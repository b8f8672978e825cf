// Feeds arbitrary bytes to the reader of the user's folder list (user-dirs.dirs).
#include <cstddef>
#include <cstdint>
#include <string>

#include "platform/locations.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string text(reinterpret_cast<const char*>(data), size);
    const std::string folder = tv::DocumentsDirFromUserDirs(text, "/home/user");
    if (!folder.empty() && folder.front() != '/') __builtin_trap();
    return 0;
}
