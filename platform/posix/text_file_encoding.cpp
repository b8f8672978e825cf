// UTF-8 checks and the CP932 conversion that lets files written on a Japanese Windows machine
// load.
#include <iconv.h>

#include <cerrno>
#include <cstdint>
#include <string>

#include "platform/text_file.h"

namespace tv {
namespace {

constexpr const char* kReplacementCharacter = "\xEF\xBF\xBD";  // U+FFFD in UTF-8

// One iconv conversion descriptor, closed when it goes.
class Converter {
  public:
    Converter(const char* to, const char* from) : handle_(iconv_open(to, from)) {}
    ~Converter() {
        if (IsOpen()) iconv_close(handle_);
    }
    Converter(const Converter&) = delete;
    Converter& operator=(const Converter&) = delete;

    bool IsOpen() const { return handle_ != reinterpret_cast<iconv_t>(-1); }

    // Converts bytes[pos..] as far as it can and appends the result to *out. Returns how far
    // it got; it stops early at a byte sequence the source encoding or the target cannot take.
    size_t ConvertFrom(const std::string& bytes, size_t pos, std::string* out) {
        char* in = const_cast<char*>(bytes.data()) + pos;
        size_t inLeft = bytes.size() - pos;
        char buffer[256];
        while (inLeft > 0) {
            char* outPtr = buffer;
            size_t outLeft = sizeof(buffer);
            const size_t result = iconv(handle_, &in, &inLeft, &outPtr, &outLeft);
            out->append(buffer, outPtr - buffer);
            if (result != static_cast<size_t>(-1)) continue;
            if (errno != E2BIG) break;
        }
        return bytes.size() - inLeft;
    }

  private:
    iconv_t handle_;
};

}  // namespace

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

std::string DecodeLine(const std::string& bytes) {
    if (IsValidUtf8(bytes)) return bytes;
    Converter converter("UTF-8", "CP932");
    std::string out;
    size_t pos = 0;
    while (pos < bytes.size()) {
        if (converter.IsOpen()) pos = converter.ConvertFrom(bytes, pos, &out);
        if (pos >= bytes.size()) break;
        // A byte CP932 cannot read starts no character: skip just that byte and go on.
        out += kReplacementCharacter;
        ++pos;
    }
    return out;
}

}  // namespace tv
