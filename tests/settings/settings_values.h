// Whole records for tests: one with every field away from its defaults, and a comparison that
// names every field that differs.
#pragma once

#include <string>

#include "settings/setting_fields.h"
#include "settings/settings_record.h"

namespace tv::test {

// Every field set to a value of its own: no two whole-number fields share a value (ranged
// fields stay in their ranges), and every text names its field, so a value read back under the
// wrong name shows.
SettingsRecord DistinctSettings(const std::string& folder);

// "2005-07-01 01:30:00", or "unset".
std::string DateText(const DateTime& value);

// Copies every field of group but the drive table from source into target.
void TakeGroup(SettingsGroup group, const SettingsRecord& source, SettingsRecord& target);

// One failure per differing field, each naming the field.
void ExpectSameSettings(const SettingsRecord& expected, const SettingsRecord& actual);

}  // namespace tv::test
