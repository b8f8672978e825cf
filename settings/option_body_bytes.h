// The primitive items of the option-file body: 32-bit signed little-endian integers and byte
// texts prefixed by their length. The cursor never reads past the end of its bytes: a read that
// does not fit fails and leaves the cursor where it was.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace tv {

constexpr size_t kBodyIntBytes = 4;

void AppendInt32(std::string* bytes, int32_t value);

class ByteCursor {
  public:
    // Reads from offset on; an offset past the end leaves nothing to read.
    ByteCursor(std::string_view bytes, size_t offset);

    bool ReadInt32(int32_t* value);
    // Exactly count bytes, or false.
    bool ReadBytes(size_t count, std::string* bytes);
    size_t Remaining() const { return bytes_.size() - offset_; }
    size_t Offset() const { return offset_; }

  private:
    std::string_view bytes_;
    size_t offset_;
};

}  // namespace tv
