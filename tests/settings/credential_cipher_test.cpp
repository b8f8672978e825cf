#include "settings/credential_cipher.h"

#include <gtest/gtest.h>

namespace tv::test {
namespace {

std::string Hex(const std::string& bytes) {
    static const char digits[] = "0123456789abcdef";
    std::string text;
    for (unsigned char byte : bytes) {
        text += digits[byte >> 4];
        text += digits[byte & 15];
    }
    return text;
}

std::string Hex(const Md5Digest& digest) { return Hex(std::string(digest.begin(), digest.end())); }

TEST(CredentialCipher, Md5MatchesPublishedDigests) {
    struct Case {
        std::string input;
        const char* digest;
    };
    const Case cases[] = {
        {"", "d41d8cd98f00b204e9800998ecf8427e"},
        {"abc", "900150983cd24fb0d6963f7d28e17f72"},
        {"The quick brown fox jumps over the lazy dog", "9e107d9d372bb6826bd81d3542a419d6"},
        {"QuorvaLatch", "a9015ebb49b9d90fd7f118fc61dd5460"},  // the program's key
    };
    for (const Case& c : cases) EXPECT_EQ(Hex(Md5Of(c.input)), c.digest) << c.input;
}

TEST(CredentialCipher, Rc4MatchesPublishedVectors) {
    struct Case {
        std::string key, plain;
        const char* cipher;
    };
    const Case cases[] = {
        {"Key", "Plaintext", "bbf316e8d940af0ad3"},
        {"Wiki", "pedia", "1021bf0420"},
        {"Secret", "Attack at dawn", "45a01f645fc35b383552544b9bf5"},
    };
    for (const Case& c : cases) EXPECT_EQ(Hex(Rc4Crypt(c.key, c.plain)), c.cipher) << c.key;
}

TEST(CredentialCipher, EveryValueStartsAFreshKeyStream) {
    CredentialCipher cipher;
    ASSERT_TRUE(cipher.Open());
    std::string zeros(16, '\0');
    ASSERT_TRUE(cipher.Encrypt(&zeros));
    EXPECT_EQ(Hex(zeros), "e9b332611b6eee448fae3e343aae4c7f");  // the key stream itself

    std::string first = "abc", second = "abc";
    ASSERT_TRUE(cipher.Encrypt(&first));
    ASSERT_TRUE(cipher.Encrypt(&second));
    EXPECT_EQ(Hex(first), "88d151");
    EXPECT_EQ(Hex(second), "88d151");
    ASSERT_TRUE(cipher.Decrypt(&first));
    EXPECT_EQ(first, "abc");
}

TEST(CredentialCipher, AClosedCipherLeavesValuesAlone) {
    CredentialCipher cipher;
    std::string value = "abc";
    EXPECT_FALSE(cipher.Encrypt(&value));
    ASSERT_TRUE(cipher.Open());
    cipher.Close();
    EXPECT_FALSE(cipher.Decrypt(&value));
    EXPECT_EQ(value, "abc");
}

}  // namespace
}  // namespace tv::test
