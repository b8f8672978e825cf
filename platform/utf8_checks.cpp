// The UTF-8 checks of the text files, the same on every system.
#include <cstdint>
#include <string>

#include "platform/text_file.h"

namespace tv {

size_t Utf8SequenceLength(const std::string& bytes, size_t pos) {
    const auto at = [&](size_t i) { return static_cast<uint8_t>(bytes[i]); };
    const auto isTrail = [&](size_t i) { return i < bytes.size() && (at(i) & 0xC0) == 0x80; };
    const uint8_t lead = at(pos);
    if (lead < 0x80) return 1;
    if (lead >= 0xC2 && lead <= 0xDF) return isTrail(pos + 1) ? 2 : 0;
    if (lead >= 0xE0 && lead <= 0xEF) {
        if (!isTrail(pos + 1) || !isTrail(pos + 2)) return 0;
        const uint8_t second = at(pos + 1);
        if (lead == 0xE0 && second < 0xA0) return 0;  // overlong
        if (lead == 0xED && second > 0x9F) return 0;  // surrogate
        return 3;
    }
    if (lead >= 0xF0 && lead <= 0xF4) {
        if (!isTrail(pos + 1) || !isTrail(pos + 2) || !isTrail(pos + 3)) return 0;
        const uint8_t second = at(pos + 1);
        if (lead == 0xF0 && second < 0x90) return 0;  // overlong
        if (lead == 0xF4 && second > 0x8F) return 0;  // above U+10FFFF
        return 4;
    }
    return 0;
}

bool IsValidUtf8(const std::string& bytes) {
    for (size_t pos = 0; pos < bytes.size();) {
        const size_t length = Utf8SequenceLength(bytes, pos);
        if (length == 0) return false;
        pos += length;
    }
    return true;
}

}  // namespace tv
