#include "settings/option_body_bytes.h"

#include <algorithm>

namespace tv {

void AppendInt32(std::string* bytes, int32_t value) {
    const uint32_t bits = static_cast<uint32_t>(value);
    for (size_t i = 0; i < kBodyIntBytes; ++i) {
        bytes->push_back(static_cast<char>((bits >> (8 * i)) & 0xFF));
    }
}

ByteCursor::ByteCursor(std::string_view bytes, size_t offset)
    : bytes_(bytes), offset_(std::min(offset, bytes.size())) {}

bool ByteCursor::ReadInt32(int32_t* value) {
    if (Remaining() < kBodyIntBytes) return false;
    uint32_t bits = 0;
    for (size_t i = 0; i < kBodyIntBytes; ++i) {
        bits |= static_cast<uint32_t>(static_cast<uint8_t>(bytes_[offset_ + i])) << (8 * i);
    }
    *value = static_cast<int32_t>(bits);
    offset_ += kBodyIntBytes;
    return true;
}

bool ByteCursor::ReadBytes(size_t count, std::string* bytes) {
    if (Remaining() < count) return false;
    bytes->assign(bytes_.substr(offset_, count));
    offset_ += count;
    return true;
}

}  // namespace tv
