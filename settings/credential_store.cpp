#include "settings/credential_store.h"

#include "settings/credential_cipher.h"
#include "settings/credential_secrets.h"
#include "settings/registry_sections.h"

namespace tv {
namespace {

struct StoredCredential {
    const char* name;
    std::string SettingsRecord::*field;
};

// The order in which the values are encrypted, written, read and decrypted.
constexpr StoredCredential kCredentials[] = {
    {"User1", &SettingsRecord::User1},
    {"User2", &SettingsRecord::User2},
    {"Pass1", &SettingsRecord::Pass1},
    {"Pass2", &SettingsRecord::Pass2},
};

constexpr const char* kConnectionTargets[] = {"Drive1", "Drive2"};

}  // namespace

bool SaveCredentials(const SettingsRecord& record, RegistryStore& registry, SecretStore* secrets) {
    CredentialCipher cipher;
    if (!cipher.Open()) return false;
    bool written = true;
    for (const StoredCredential& credential : kCredentials) {
        std::string stored = record.*credential.field;
        if (secrets) {
            stored = KeepInSecretStore(
                *secrets, CredentialSecretKey(SettingsSecretOwner(), credential.field), stored);
        }
        if (!cipher.Encrypt(&stored)) return false;
        written &= registry.WriteBinary(kSectionNetwork, credential.name, stored);
    }
    for (const char* target : kConnectionTargets) {
        written &= registry.WriteString(kSectionNetwork, target, "");
    }
    return written;
}

void LoadCredentials(SettingsRecord& record, RegistryStore& registry, SecretStore* secrets) {
    for (const StoredCredential& credential : kCredentials) {
        std::string stored;
        registry.ReadBinary(kSectionNetwork, credential.name, &stored);
        record.*credential.field = stored;
    }
    CredentialCipher cipher;
    if (!cipher.Open()) return;
    for (const StoredCredential& credential : kCredentials) {
        if (!cipher.Decrypt(&(record.*credential.field))) return;
    }
    if (!secrets) return;
    for (const StoredCredential& credential : kCredentials) {
        std::string& value = record.*credential.field;
        value = TakeFromSecretStore(
            *secrets, CredentialSecretKey(SettingsSecretOwner(), credential.field), value);
    }
}

}  // namespace tv
