#include "platform/name_case.h"

#include <locale.h>
#include <wctype.h>

#include <cstdint>

#include "platform/text_file.h"

namespace tv {

namespace {

// The case mappings of Unicode, whatever locale the process runs in; null when the C library
// has none (then only ASCII letters fold).
locale_t UnicodeCaseLocale() {
    static const locale_t locale = newlocale(LC_CTYPE_MASK, "C.UTF-8", locale_t{});
    return locale;
}

uint32_t DecodeUtf8(const std::string& bytes, size_t pos, size_t length) {
    static constexpr uint8_t kLeadBits[] = {0, 0x7F, 0x1F, 0x0F, 0x07};
    uint32_t code = static_cast<uint8_t>(bytes[pos]) & kLeadBits[length];
    for (size_t i = 1; i < length; ++i) code = (code << 6) | (bytes[pos + i] & 0x3F);
    return code;
}

void AppendUtf8(uint32_t code, std::string* out) {
    if (code < 0x80) {
        *out += static_cast<char>(code);
    } else if (code < 0x800) {
        *out += static_cast<char>(0xC0 | (code >> 6));
        *out += static_cast<char>(0x80 | (code & 0x3F));
    } else if (code < 0x10000) {
        *out += static_cast<char>(0xE0 | (code >> 12));
        *out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
        *out += static_cast<char>(0x80 | (code & 0x3F));
    } else {
        *out += static_cast<char>(0xF0 | (code >> 18));
        *out += static_cast<char>(0x80 | ((code >> 12) & 0x3F));
        *out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
        *out += static_cast<char>(0x80 | (code & 0x3F));
    }
}

uint32_t UpperCaseOf(uint32_t code) {
    if (code < 0x80) return code >= 'a' && code <= 'z' ? code - ('a' - 'A') : code;
    const locale_t locale = UnicodeCaseLocale();
    if (locale == locale_t{}) return code;
    const uint32_t upper = static_cast<uint32_t>(towupper_l(static_cast<wint_t>(code), locale));
    // Only a character again, never a surrogate or beyond Unicode, is written back.
    return upper <= 0x10FFFF && (upper < 0xD800 || upper > 0xDFFF) ? upper : code;
}

}  // namespace

std::string CaseFoldedName(const std::string& name) {
    std::string folded;
    folded.reserve(name.size());
    for (size_t pos = 0; pos < name.size();) {
        const size_t length = Utf8SequenceLength(name, pos);
        if (length == 0) {
            folded += name[pos++];
            continue;
        }
        AppendUtf8(UpperCaseOf(DecodeUtf8(name, pos, length)), &folded);
        pos += length;
    }
    return folded;
}

}  // namespace tv
