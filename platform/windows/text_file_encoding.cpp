// The CP932 conversion that lets files written on a Japanese Windows machine load, through the
// system's code page 932.
#include <string>

#include "platform/text_file.h"
#include "platform/windows/wide_text.h"
#include "platform/windows/win32.h"

namespace tv {
namespace {

constexpr unsigned kCp932 = 932;
constexpr const char* kReplacementCharacter = "\xEF\xBF\xBD";  // U+FFFD in UTF-8

// The CP932 character at bytes[pos] in UTF-16: one byte, or a lead byte with its trail byte.
// Empty when no character starts there.
std::wstring Cp932CharacterAt(const std::string& bytes, size_t pos, size_t* length) {
    const BYTE lead = static_cast<BYTE>(bytes[pos]);
    // Single bytes that are no character of CP932, though the system's table gives each one a
    // control or private-use character: read as on every other system.
    if (lead == 0x80 || lead == 0xA0 || lead >= 0xFD) return std::wstring();
    *length = IsDBCSLeadByteEx(kCp932, lead) ? 2 : 1;
    if (pos + *length > bytes.size()) return std::wstring();
    wchar_t units[2];
    const int count = MultiByteToWideChar(kCp932, MB_ERR_INVALID_CHARS, bytes.data() + pos,
                                          static_cast<int>(*length), units, 2);
    return std::wstring(units, count > 0 ? static_cast<size_t>(count) : 0);
}

}  // namespace

std::string DecodeLine(const std::string& bytes) {
    if (IsValidUtf8(bytes)) return bytes;
    std::string out;
    for (size_t pos = 0; pos < bytes.size();) {
        size_t length = 0;
        const std::wstring character = Cp932CharacterAt(bytes, pos, &length);
        if (character.empty()) {
            // A byte CP932 cannot read starts no character: skip just that byte and go on.
            out += kReplacementCharacter;
            ++pos;
            continue;
        }
        out += detail::Utf8FromWide(character);
        pos += length;
    }
    return out;
}

}  // namespace tv
