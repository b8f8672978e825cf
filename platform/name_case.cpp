#include "platform/name_case.h"

#include <cstdint>

#include "platform/text_file.h"
#include "platform/unicode_case.h"

namespace tv {

namespace {

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

// Calls take with each character of name folded (and true), and with each byte that starts no
// well-formed character as it is (and false). ASCII folds without the case tables.
template <typename Take>
void ForEachFolded(const std::string& name, Take take) {
    for (size_t pos = 0; pos < name.size();) {
        const uint8_t byte = static_cast<uint8_t>(name[pos]);
        if (byte < 0x80) {
            take(byte >= 'a' && byte <= 'z' ? byte - ('a' - 'A') : byte, true);
            ++pos;
            continue;
        }
        const size_t length = Utf8SequenceLength(name, pos);
        if (length == 0) {
            take(byte, false);
            ++pos;
            continue;
        }
        take(UnicodeUpperCase(DecodeUtf8(name, pos, length)), true);
        pos += length;
    }
}

}  // namespace

std::string CaseFoldedName(const std::string& name) {
    std::string folded;
    folded.reserve(name.size());
    ForEachFolded(name, [&](uint32_t code, bool character) {
        if (character) {
            AppendUtf8(code, &folded);
        } else {
            folded += static_cast<char>(code);
        }
    });
    return folded;
}

uint64_t CaseFoldedHash(const std::string& name) {
    // FNV-1a over the folded characters; a byte that starts no character counts apart from
    // every character.
    uint64_t hash = 14695981039346656037u;
    ForEachFolded(name, [&](uint32_t code, bool character) {
        hash = (hash ^ (character ? code : 0x110000u + code)) * 1099511628211u;
    });
    return hash;
}

}  // namespace tv
