// Feeds arbitrary bytes to the CardProbe parser of a PC card's information structure; a found
// version tuple must leave both texts terminated within their fields.
#include <cstddef>
#include <cstdint>
#include <cstring>

#include "cardprobe/cis_tuples.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    PcmciaTupleInfo info;
    if (!tv::cardprobe::ParseVersionTuple(data, size, &info)) return 0;
    if (info.zero != 0) __builtin_trap();
    if (::strnlen(info.manufacturer, sizeof info.manufacturer) == sizeof info.manufacturer ||
        ::strnlen(info.product, sizeof info.product) == sizeof info.product) {
        __builtin_trap();
    }
    return 0;
}
