// RC4 for every key length the cipher takes, against the algorithm written out here: a system
// whose provider limits key lengths must give the same key stream all the same.
#include <gtest/gtest.h>

#include <array>
#include <utility>

#include "settings/credential_cipher.h"

namespace tv::test {
namespace {

std::string ReferenceRc4(const std::string& key, const std::string& data) {
    std::array<uint8_t, 256> state{};
    for (size_t i = 0; i < state.size(); ++i) state[i] = static_cast<uint8_t>(i);
    uint8_t j = 0;
    for (size_t i = 0; i < state.size(); ++i) {
        j = static_cast<uint8_t>(j + state[i] + static_cast<uint8_t>(key[i % key.size()]));
        std::swap(state[i], state[j]);
    }
    std::string out = data;
    uint8_t i = 0;
    j = 0;
    for (char& c : out) {
        j = static_cast<uint8_t>(j + state[++i]);
        std::swap(state[i], state[j]);
        c = static_cast<char>(c ^ state[static_cast<uint8_t>(state[i] + state[j])]);
    }
    return out;
}

// Past 256 bytes the stream's index wraps around the state.
std::string Sample(size_t size) {
    std::string bytes;
    for (size_t i = 0; i < size; ++i) bytes += static_cast<char>(i * 7 + 3);
    return bytes;
}

TEST(Rc4KeyLengths, EveryLengthUpTo128BitsGivesTheAlgorithmsKeyStream) {
    const std::string data = Sample(300);
    for (size_t length = 1; length <= kMaxRc4KeyBytes; ++length) {
        const std::string key = Sample(length + 17).substr(17);
        EXPECT_EQ(Rc4Crypt(key, data), ReferenceRc4(key, data)) << length << " key bytes";
    }
}

TEST(Rc4KeyLengths, AnEmptyOrLongerKeyIsRefusedOnEverySystem) {
    std::string result = "untouched";
    EXPECT_FALSE(ApplyRc4("", "abc", &result));
    EXPECT_FALSE(ApplyRc4(std::string(kMaxRc4KeyBytes + 1, 'k'), "abc", &result));
    EXPECT_EQ(result, "untouched");
    EXPECT_TRUE(ApplyRc4("k", "", &result));
    EXPECT_EQ(result, "");
}

}  // namespace
}  // namespace tv::test
