// MD5 and RC4 through CryptoAPI's enhanced provider (advapi32), which Windows has had since
// its first 64-bit versions. The newer CNG has no RC4 under every Windows the program runs on.
#include "platform/md5_rc4.h"

#include <algorithm>

#include "platform/windows/win32.h"
// clang-format off
#include <wincrypt.h>
// clang-format on

namespace tv {
namespace {

// A context without key containers: only hashes and session keys are made in it.
class Provider {
  public:
    Provider() {
        if (!CryptAcquireContextW(&handle_, nullptr, MS_ENHANCED_PROV_W, PROV_RSA_FULL,
                                  CRYPT_VERIFYCONTEXT)) {
            handle_ = 0;
        }
    }
    ~Provider() {
        if (handle_ != 0) CryptReleaseContext(handle_, 0);
    }
    Provider(const Provider&) = delete;
    Provider& operator=(const Provider&) = delete;
    HCRYPTPROV handle() const { return handle_; }

  private:
    HCRYPTPROV handle_ = 0;
};

class Hash {
  public:
    Hash(const Provider& provider, ALG_ID algorithm) {
        if (provider.handle() == 0 ||
            !CryptCreateHash(provider.handle(), algorithm, 0, 0, &handle_)) {
            handle_ = 0;
        }
    }
    ~Hash() {
        if (handle_ != 0) CryptDestroyHash(handle_);
    }
    Hash(const Hash&) = delete;
    Hash& operator=(const Hash&) = delete;
    HCRYPTHASH handle() const { return handle_; }

  private:
    HCRYPTHASH handle_ = 0;
};

// A session key imported from its plain bytes, whose key stream starts at its first byte.
class Rc4Key {
  public:
    Rc4Key(const Provider& provider, const std::string& bytes) {
        struct {
            BLOBHEADER header;
            DWORD size;
            BYTE bytes[kMaxRc4KeyBytes];
        } blob{};
        blob.header.bType = PLAINTEXTKEYBLOB;
        blob.header.bVersion = CUR_BLOB_VERSION;
        blob.header.aiKeyAlg = CALG_RC4;
        blob.size = static_cast<DWORD>(bytes.size());
        std::copy(bytes.begin(), bytes.end(), blob.bytes);
        const DWORD blobSize = static_cast<DWORD>(offsetof(decltype(blob), bytes) + bytes.size());
        if (provider.handle() == 0 ||
            !CryptImportKey(provider.handle(), reinterpret_cast<const BYTE*>(&blob), blobSize, 0,
                            CRYPT_NO_SALT, &handle_)) {
            handle_ = 0;
        }
        SecureZeroMemory(&blob, sizeof(blob));
    }
    ~Rc4Key() {
        if (handle_ != 0) CryptDestroyKey(handle_);
    }
    Rc4Key(const Rc4Key&) = delete;
    Rc4Key& operator=(const Rc4Key&) = delete;
    HCRYPTKEY handle() const { return handle_; }

  private:
    HCRYPTKEY handle_ = 0;
};

// RC4's key schedule reads key byte i mod length, so a key repeated whole gives the same key
// stream. The provider takes 40 to 128 bits, and a 40-bit key is salted with zero bytes, so
// every key goes in as the longest whole repetition of itself that fits 128 bits.
std::string RepeatedToFill(const std::string& key) {
    std::string filled;
    for (size_t times = kMaxRc4KeyBytes / key.size(); times > 0; --times) filled += key;
    return filled;
}

}  // namespace

bool ComputeMd5(const std::string& bytes, Md5Digest* digest) {
    const Provider provider;
    const Hash hash(provider, CALG_MD5);
    if (hash.handle() == 0) return false;
    constexpr size_t kChunk = 1 << 30;
    for (size_t done = 0; done < bytes.size(); done += kChunk) {
        const DWORD size = static_cast<DWORD>(std::min(kChunk, bytes.size() - done));
        if (!CryptHashData(hash.handle(), reinterpret_cast<const BYTE*>(bytes.data() + done), size,
                           0)) {
            return false;
        }
    }
    Md5Digest value{};
    DWORD size = static_cast<DWORD>(value.size());
    if (!CryptGetHashParam(hash.handle(), HP_HASHVAL, value.data(), &size, 0) ||
        size != value.size()) {
        return false;
    }
    *digest = value;
    return true;
}

bool ApplyRc4(const std::string& key, const std::string& data, std::string* result) {
    if (key.empty() || key.size() > kMaxRc4KeyBytes || data.size() > MAXDWORD) return false;
    const Provider provider;
    std::string filledKey = RepeatedToFill(key);
    const Rc4Key rc4(provider, filledKey);
    SecureZeroMemory(filledKey.data(), filledKey.size());
    if (rc4.handle() == 0) return false;
    std::string crypted = data;
    DWORD size = static_cast<DWORD>(crypted.size());
    if (!crypted.empty() && !CryptEncrypt(rc4.handle(), 0, TRUE, 0,
                                          reinterpret_cast<BYTE*>(crypted.data()), &size, size)) {
        return false;
    }
    *result = std::move(crypted);
    return true;
}

}  // namespace tv
