// Feeds arbitrary bytes to the CardProbe reader of the drive table file (drives.tsv): every
// letter is looked up, and whatever resolves must be a sound record.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "cardprobe/drive_file.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string_view table(reinterpret_cast<const char*>(data), size);
    for (int letter = 'A'; letter <= 'Z'; ++letter) {
        const auto drive = tv::cardprobe::FindDrive(table, letter);
        if (!drive) continue;
        if (drive->letter != letter || drive->type < 0 || drive->type > 6) __builtin_trap();
        if (drive->root.empty() || drive->root.front() != '/' || drive->root.back() != '/') {
            __builtin_trap();
        }
    }
    return 0;
}
