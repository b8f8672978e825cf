// The CP932 conversion that lets files written on a Japanese Windows machine load, through
// iconv.
#include <iconv.h>

#include <cerrno>
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
