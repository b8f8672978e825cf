// The cipher of the stored network credentials: RC4 keyed with the 16-byte MD5 digest of a fixed
// pass phrase. Every value is encrypted on its own with a fresh key stream, so stored byte i is
// plain byte i XOR key-stream byte i, equal plain texts give equal bytes, and a value keeps its
// length (zero bytes included).
#pragma once

#include <string>

#include "platform/md5_rc4.h"

namespace tv {

// The digest; all zero bytes when the system's cryptography failed.
Md5Digest Md5Of(const std::string& bytes);
// RC4 over data with a key stream that starts afresh from key (1 to kMaxRc4KeyBytes bytes);
// empty for another key or when the system's cryptography failed.
std::string Rc4Crypt(const std::string& key, const std::string& data);

class CredentialCipher {
  public:
    CredentialCipher() = default;
    ~CredentialCipher() { Close(); }
    CredentialCipher(const CredentialCipher&) = delete;
    CredentialCipher& operator=(const CredentialCipher&) = delete;

    // Derives the key from the pass phrase; false when the system's cryptography failed.
    bool Open();
    // Replace *value by its encrypted or decrypted bytes; false (value unchanged) when closed or
    // when the system's cryptography failed.
    bool Encrypt(std::string* value) const;
    bool Decrypt(std::string* value) const;
    // Forgets the key.
    void Close();

  private:
    std::string key_;
    bool open_ = false;
};

}  // namespace tv
