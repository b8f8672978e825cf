// The share accounts in the desktop's secret store. A file that has the store beside it holds
// an empty value where the store keeps the credential; a value the store would not take stays
// in the file, so nothing is lost when the store fails part-way.
#pragma once

#include <string>

#include "platform/secret_store.h"
#include "settings/settings_record.h"

namespace tv {

// The owner of the credentials of the program's own settings.
SecretKey SettingsSecretOwner();
// The key of one credential field (User1, Pass1, User2 or Pass2) of owner.
SecretKey CredentialSecretKey(SecretKey owner, std::string SettingsRecord::*field);

// What the file is to hold for value: "" once the store holds it, else value itself. An empty
// value is removed from the store, so that a cleared account does not come back.
std::string KeepInSecretStore(SecretStore& store, const SecretKey& key, const std::string& value);
// The same for the four credentials of record: they become what the file is to hold.
void KeepCredentialsInSecretStore(SecretStore& store, const SecretKey& owner,
                                  SettingsRecord& record);
// The credential: what the file held when it held one (written while no store answered, or in
// the form from before the store), else what the store holds.
std::string TakeFromSecretStore(SecretStore& store, const SecretKey& key, const std::string& filed);
// The same for the four credentials of record, which hold what the file held.
void TakeCredentialsFromSecretStore(SecretStore& store, const SecretKey& owner,
                                    SettingsRecord& record);

}  // namespace tv
