#include "settings/credential_cipher.h"

#include <algorithm>

namespace tv {
namespace {

constexpr char kPassPhrase[] = "QuorvaLatch";  // hashed without its terminator

}  // namespace

Md5Digest Md5Of(const std::string& bytes) {
    Md5Digest digest{};
    ComputeMd5(bytes, &digest);
    return digest;
}

std::string Rc4Crypt(const std::string& key, const std::string& data) {
    std::string result;
    ApplyRc4(key, data, &result);
    return result;
}

bool CredentialCipher::Open() {
    Md5Digest digest{};
    if (!ComputeMd5(std::string(kPassPhrase, sizeof(kPassPhrase) - 1), &digest)) return false;
    key_.assign(digest.begin(), digest.end());
    std::fill(digest.begin(), digest.end(), 0);
    open_ = true;
    return true;
}

bool CredentialCipher::Encrypt(std::string* value) const {
    return open_ && ApplyRc4(key_, *value, value);
}

// RC4 is its own inverse: the same key stream XORed again gives the plain bytes back.
bool CredentialCipher::Decrypt(std::string* value) const { return Encrypt(value); }

void CredentialCipher::Close() {
    std::fill(key_.begin(), key_.end(), '\0');
    key_.clear();
    open_ = false;
}

}  // namespace tv
