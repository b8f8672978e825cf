// Reading the settings file when the program starts. A damaged file cannot be loaded, and the
// first read of a section rewrites the file (sections are created on reading), so the session
// would replace it with the defaults and every setting in it would be gone for good. Such a
// file is kept aside under a name of its own before anything is written.
#pragma once

#include <string>

#include "platform/registry_store.h"

namespace tv {

enum class SettingsFileStart {
    Loaded,       // the file was read, or there was none
    KeptAside,    // damaged: renamed, and the store starts empty
    NotKeptAside  // damaged, and it could not be renamed
};

// Loads registry from its file; a damaged file is renamed to "<file>.damaged" (or
// "<file>.damaged.2" and on, so an earlier one is never replaced), the name given in *keptAs.
SettingsFileStart LoadSettingsFileAtStart(RegistryStore& registry, std::string* keptAs);

}  // namespace tv
