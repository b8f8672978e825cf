// The network credentials in the registry: section Network holds User1, User2, Pass1 and Pass2
// as binary values of exactly their encrypted bytes, and the connection targets Drive1 and
// Drive2 as empty texts. The record keeps the plain values. With a secret store, the registry
// holds an empty value for every credential the store keeps.
#pragma once

#include "platform/registry_store.h"
#include "platform/secret_store.h"
#include "settings/settings_record.h"

namespace tv {

// False when a value could not be written; the plain credentials are never written. secrets may
// be null: no store answers.
bool SaveCredentials(const SettingsRecord& record, RegistryStore& registry, SecretStore* secrets);
// A missing value gives an empty credential, unless the store holds it.
void LoadCredentials(SettingsRecord& record, RegistryStore& registry, SecretStore* secrets);

}  // namespace tv
