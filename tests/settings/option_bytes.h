// Hand-made option-file bytes for tests: little-endian 32-bit integers and length-prefixed texts,
// written independently of the code under test.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace tv::test {

inline std::string I32(int32_t value) {
    const uint32_t bits = static_cast<uint32_t>(value);
    return {static_cast<char>(bits & 0xFF), static_cast<char>((bits >> 8) & 0xFF),
            static_cast<char>((bits >> 16) & 0xFF), static_cast<char>((bits >> 24) & 0xFF)};
}

inline std::string Str(const std::string& text) {
    return I32(static_cast<int32_t>(text.size())) + text;
}

inline std::string Ints(std::initializer_list<int32_t> values) {
    std::string bytes;
    for (int32_t value : values) bytes += I32(value);
    return bytes;
}

inline std::string List(const std::vector<std::string>& entries) {
    std::string bytes = I32(static_cast<int32_t>(entries.size()));
    for (const std::string& entry : entries) bytes += Str(entry);
    return bytes;
}

}  // namespace tv::test
