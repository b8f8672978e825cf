#include "settings/credential_cipher.h"

#include <nettle/arcfour.h>
#include <nettle/md5.h>

#include <algorithm>

namespace tv {
namespace {

constexpr char kPassPhrase[] = "QuorvaLatch";  // hashed without its terminator

const uint8_t* BytesOf(const std::string& text) {
    return reinterpret_cast<const uint8_t*>(text.data());
}

}  // namespace

Md5Digest Md5Of(const std::string& bytes) {
    md5_ctx context;
    md5_init(&context);
    md5_update(&context, bytes.size(), BytesOf(bytes));
    Md5Digest digest{};
    md5_digest(&context, digest.size(), digest.data());
    return digest;
}

std::string Rc4Crypt(const std::string& key, const std::string& data) {
    arcfour_ctx context;
    arcfour_set_key(&context, key.size(), BytesOf(key));
    std::string result(data.size(), '\0');
    arcfour_crypt(&context, data.size(), reinterpret_cast<uint8_t*>(result.data()), BytesOf(data));
    return result;
}

bool CredentialCipher::Open() {
    const Md5Digest digest = Md5Of(std::string(kPassPhrase, sizeof(kPassPhrase) - 1));
    key_.assign(digest.begin(), digest.end());
    open_ = true;
    return true;
}

bool CredentialCipher::Encrypt(std::string* value) const {
    if (!open_) return false;
    *value = Rc4Crypt(key_, *value);
    return true;
}

// RC4 is its own inverse: the same key stream XORed again gives the plain bytes back.
bool CredentialCipher::Decrypt(std::string* value) const { return Encrypt(value); }

void CredentialCipher::Close() {
    std::fill(key_.begin(), key_.end(), '\0');
    key_.clear();
    open_ = false;
}

}  // namespace tv
