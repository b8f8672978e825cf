// What the settings operations need from the machine, handed in by the owner of the record: the
// drives present, the registry file, the program's folders, the clock and the desktop's secret
// store.
#pragma once

#include "platform/clock.h"
#include "platform/drive_table.h"
#include "platform/locations.h"
#include "platform/registry_store.h"
#include "platform/secret_store.h"

namespace tv {

struct SettingsContext {
    const DriveTable& drives;
    RegistryStore& registry;
    const Locations& locations;  // programDir holds the list file; documentsDir the defaults
    const Clock& clock;          // the time line written at the head of the list file
    // Where the share accounts live instead of the files; null while no store answers.
    SecretStore* secrets = nullptr;
};

}  // namespace tv
