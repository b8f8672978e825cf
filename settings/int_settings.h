// The whole-number settings of the record as one table: where each is stored, under which name,
// the value the reset of its group gives and the value a load takes when the registry lacks it.
// Reset, load and save all walk this table, so a value is always read under the name it was
// written with.
#pragma once

#include <cstdint>
#include <limits>
#include <vector>

#include "settings/settings_record.h"

namespace tv {

// The reset groups of the settings dialog.
enum class SettingsGroup { DriveUnit, FileDirUnit, Removable, Details };

struct IntSetting {
    SettingsGroup group;
    const char* section;
    const char* name;
    int32_t SettingsRecord::*field;
    int32_t reset;
    int32_t absent;
    // A stored value outside these bounds counts as absent: the copy buffer is a shift count
    // and the load control a pause per file, so a damaged value must not reach a run.
    int32_t lowest = std::numeric_limits<int32_t>::min();
    int32_t highest = std::numeric_limits<int32_t>::max();
};

const std::vector<IntSetting>& IntSettings();

}  // namespace tv
