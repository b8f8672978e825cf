// The settings record as a new process of the program reads it: the defaults for the drives
// present, then what the registry file and the list file hold. The context's store reads the
// file again, so what an earlier process only held in memory is not seen.
#pragma once

#include "settings/settings_context.h"
#include "settings/settings_defaults.h"
#include "settings/settings_persistence.h"

namespace tv::test {

inline SettingsRecord NewProcessSettings(const SettingsContext& context) {
    SettingsRecord record = DefaultSettings(context);
    LoadSettings(record, context);
    return record;
}

}  // namespace tv::test
