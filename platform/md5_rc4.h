// MD5 and RC4 from the system's own cryptography: the digest and the stream cipher that the
// stored network credentials are kept with. The bytes are the same on every system.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>

namespace tv {

using Md5Digest = std::array<uint8_t, 16>;

// The longest RC4 key taken: 128 bits, as far as every system's provider goes.
constexpr size_t kMaxRc4KeyBytes = 16;

// False when the system's cryptography failed; *digest is then left alone.
bool ComputeMd5(const std::string& bytes, Md5Digest* digest);
// RC4 over data with a key stream that starts afresh from key (1 to kMaxRc4KeyBytes bytes).
// False, *result left alone, for a key of another length or when the system failed.
bool ApplyRc4(const std::string& key, const std::string& data, std::string* result);

}  // namespace tv
