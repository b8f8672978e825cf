#include "settings/credential_secrets.h"

namespace tv {
namespace {

constexpr std::string SettingsRecord::*kCredentialFields[] = {
    &SettingsRecord::User1, &SettingsRecord::Pass1, &SettingsRecord::User2, &SettingsRecord::Pass2};

}  // namespace

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

void KeepCredentialsInSecretStore(SecretStore& store, const SecretKey& owner,
                                  SettingsRecord& record) {
    for (const auto field : kCredentialFields) {
        record.*field = KeepInSecretStore(store, CredentialSecretKey(owner, field), record.*field);
    }
}

void TakeCredentialsFromSecretStore(SecretStore& store, const SecretKey& owner,
                                    SettingsRecord& record) {
    for (const auto field : kCredentialFields) {
        record.*field =
            TakeFromSecretStore(store, CredentialSecretKey(owner, field), record.*field);
    }
}

}  // namespace tv
