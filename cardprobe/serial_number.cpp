#include "cardprobe/serial_number.h"

#include <cstdio>
#include <cstring>

#include "cardprobe/local_clock.h"

namespace tv::cardprobe {

namespace {

constexpr unsigned long kRandomSpan = 32768;  // the classic generator's 0..32767
constexpr int kRandomPartMax = 9999;

}  // namespace

int ScaleRandom(unsigned long raw) {
    // Generators here return up to 2^31 - 1; scaling that directly overflows and breaks the
    // 16-digit form, so only the classic range of 0..32767 is kept.
    return static_cast<int>(raw % kRandomSpan * kRandomPartMax / (kRandomSpan - 1));
}

int FormatSerialNumber(const std::tm& local, int random, char* out) {
    char digits[64];
    const int length =
        std::snprintf(digits, sizeof digits, "%d%03d%02d%02d%02d%04d", local.tm_year, local.tm_yday,
                      local.tm_hour, local.tm_min, local.tm_sec, random);
    const int kept = length < 0 ? 0 : (length > kSerialDigits ? kSerialDigits : length);
    std::memcpy(out, digits, static_cast<std::size_t>(kept));
    out[kept] = '\0';
    return kept;
}

int MakeSerialNumberAt(std::time_t now, char* out) {
    std::tm local{};
    if (!LocalTimeAt(now, &local)) {
        out[0] = '\0';
        return 0;
    }
    return FormatSerialNumber(local, ScaleRandom(SeededRandom(static_cast<unsigned>(now))), out);
}

}  // namespace tv::cardprobe
