#include "platform/unicode_case.h"

#include <locale.h>
#include <wctype.h>

namespace tv {
namespace {

// The case mappings of Unicode; null when the C library has none (then only ASCII letters
// fold, which the callers do without asking).
locale_t UnicodeCaseLocale() {
    static const locale_t locale = newlocale(LC_CTYPE_MASK, "C.UTF-8", locale_t{});
    return locale;
}

}  // namespace

uint32_t UnicodeUpperCase(uint32_t code) {
    const locale_t locale = UnicodeCaseLocale();
    if (locale == locale_t{}) return code;
    const uint32_t upper = static_cast<uint32_t>(towupper_l(static_cast<wint_t>(code), locale));
    // Only a character again, never a surrogate or beyond Unicode, is written back.
    return upper <= 0x10FFFF && (upper < 0xD800 || upper > 0xDFFF) ? upper : code;
}

}  // namespace tv
