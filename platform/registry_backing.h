// Where the registry store keeps its values: the registry itself on Windows, the stand-in file
// on Linux. Each system's side defines these.
#pragma once

#include <string>

#include "platform/registry_store.h"

namespace tv::detail {

// Every section at location; a missing key or file reads as none (true).
bool ReadRegistry(const std::string& location, RegistrySections* sections);
// Brings location up to sections: changes names what differs from what it holds.
bool WriteRegistry(const std::string& location, const RegistrySections& sections,
                   const RegistryChanges& changes);

}  // namespace tv::detail
