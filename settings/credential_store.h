// The network credentials in the registry: section Network holds User1, User2, Pass1 and Pass2
// as binary values of exactly their encrypted bytes, and the connection targets Drive1 and
// Drive2 as empty texts. The record keeps the plain values.
#pragma once

#include "platform/registry_store.h"
#include "settings/settings_record.h"

namespace tv {

// False when a value could not be written; the plain credentials are never written.
bool SaveCredentials(const SettingsRecord& record, RegistryStore& registry);
// A missing value gives an empty credential.
void LoadCredentials(SettingsRecord& record, RegistryStore& registry);

}  // namespace tv
