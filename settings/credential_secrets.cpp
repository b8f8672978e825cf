#include "settings/credential_secrets.h"

namespace tv {

SecretKey SettingsSecretOwner() { return SecretKey{"settings", 0, "", 0, ""}; }

SecretKey CredentialSecretKey(SecretKey owner, std::string SettingsRecord::*field) {
    owner.slot = field == &SettingsRecord::User1 || field == &SettingsRecord::Pass1 ? 1 : 2;
    owner.field =
        field == &SettingsRecord::User1 || field == &SettingsRecord::User2 ? "user" : "password";
    return owner;
}

std::string KeepInSecretStore(SecretStore& store, const SecretKey& key, const std::string& value) {
    if (value.empty()) {
        store.Remove(key);
        return value;
    }
    return store.Store(key, value) ? std::string() : value;
}

std::string TakeFromSecretStore(SecretStore& store, const SecretKey& key,
                                const std::string& filed) {
    if (!filed.empty()) return filed;
    std::string secret;
    return store.Read(key, &secret) == SecretLookup::kFound ? secret : std::string();
}

}  // namespace tv
