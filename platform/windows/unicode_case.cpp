#include "platform/unicode_case.h"

#include "platform/windows/win32.h"

namespace tv {
namespace {

// The character as UTF-16: one unit, or a surrogate pair above U+FFFF.
int ToUtf16(uint32_t code, wchar_t* units) {
    if (code < 0x10000) {
        units[0] = static_cast<wchar_t>(code);
        return 1;
    }
    code -= 0x10000;
    units[0] = static_cast<wchar_t>(0xD800 + (code >> 10));
    units[1] = static_cast<wchar_t>(0xDC00 + (code & 0x3FF));
    return 2;
}

}  // namespace

uint32_t UnicodeUpperCase(uint32_t code) {
    if (code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF)) return code;
    wchar_t units[2];
    const int length = ToUtf16(code, units);
    wchar_t upper[4];
    const int upperLength = LCMapStringEx(LOCALE_NAME_INVARIANT, LCMAP_UPPERCASE, units, length,
                                          upper, 4, nullptr, nullptr, 0);
    // Only one character again is written back: a letter whose upper case is two keeps its own.
    if (upperLength == 1 && (upper[0] < 0xD800 || upper[0] > 0xDFFF)) return upper[0];
    if (upperLength == 2 && upper[0] >= 0xD800 && upper[0] <= 0xDBFF && upper[1] >= 0xDC00 &&
        upper[1] <= 0xDFFF) {
        return 0x10000 + ((static_cast<uint32_t>(upper[0]) - 0xD800) << 10) + (upper[1] - 0xDC00);
    }
    return code;
}

}  // namespace tv
