// The record in the registry and the list file: every scalar value and the credentials in the
// sections Directory, Mirroring, Network and Sound, the four lists in "フォルダ設定.txt".
#pragma once

#include "settings/settings_context.h"
#include "settings/settings_record.h"

namespace tv {

// Reads the registry and the list file into the record. A value the registry lacks takes its
// absent default; a stored empty text keeps the value held before. A damaged registry file is
// left out whole (false, the registry values of the record unchanged); the list file is still
// read.
bool LoadSettings(SettingsRecord& record, const SettingsContext& context);

// Writes every value, changed or not, and the list file; the registry file is rewritten once.
// False when a value or the list file could not be written.
bool SaveSettings(const SettingsRecord& record, const SettingsContext& context);

}  // namespace tv
