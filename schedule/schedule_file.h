// The bytes of "sch.dat": a signed 32-bit little-endian entry count, then each entry's name
// (a byte count and its UTF-8 bytes), kind, date (year × 10000 + month × 100 + day, −10101
// when unset), weekdays, pattern, start minute (hour × 60 + minute, −61 when unset), whether it
// has run and then its last run date, and its settings as an option-file body.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "schedule/schedule_entry.h"
#include "settings/settings_context.h"

namespace tv {

// The longest name the file holds; longer or empty names mark a damaged entry.
constexpr int32_t kMaxScheduleNameBytes = 2047;

// False when an entry cannot be written (a text of its settings too long to be read back).
bool WriteScheduleFile(const std::vector<ScheduleEntry>& entries, std::string* bytes);
// The entries that are whole, in order, up to the first damaged one or the stated count; each
// starts from ScheduleEntry::New(context). False when not even the count can be read.
bool ReadScheduleFile(std::string_view bytes, const SettingsContext& context,
                      std::vector<ScheduleEntry>* entries);

}  // namespace tv
