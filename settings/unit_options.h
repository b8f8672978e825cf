// The copy options that each of the three units (drive unit, file/directory unit, removable
// media) holds under names of its own: the load control, the copy buffer, the mirror and
// overwrite flags and the same-size check. One row a unit names its fields, so runs, the speed
// test, the summary and the settings pages pick a unit's options in one way.
#pragma once

#include <cstdint>

#include "settings/settings_record.h"

namespace tv {

// In the order of the settings dialog's pages and the test mode's radio buttons.
enum class SettingsUnit { DriveUnit = 0, FileDir = 1, Removable = 2 };

// The fields of one unit.
struct UnitFields {
    int32_t SettingsRecord::*loadControl;  // milliseconds after every read and write
    int32_t SettingsRecord::*cacheSize;    // copy buffer 32 KB << value
    int32_t SettingsRecord::*forceMirror;
    int32_t SettingsRecord::*forceOverWrite;
    int32_t SettingsRecord::*checkSize;
};

// Their values in a record.
struct UnitOptions {
    int32_t loadControl;
    int32_t cacheSize;
    int32_t forceMirror;
    int32_t forceOverWrite;
    int32_t checkSize;
};

const UnitFields& UnitFieldsOf(SettingsUnit unit);
UnitOptions UnitOptionsOf(const SettingsRecord& record, SettingsUnit unit);

}  // namespace tv
