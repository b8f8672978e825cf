// The option-file body: the drive table, the three kinds of run, the network credentials and the
// detail settings of a record, in binary (32-bit little-endian integers, texts as a byte count
// and their UTF-8 bytes, lists as a count and their texts). It follows the header of an option
// file and is also the settings block of every schedule, so bodies can be read one after another
// from one buffer.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "settings/settings_record.h"

namespace tv {

// The longest text of a body item: any path Linux can name (its PATH_MAX), so every path the
// program writes can be read back. The same on every system, so that a file one writes the
// other reads. Credentials share the limit.
constexpr int32_t kMaxBodyTextBytes = 4096;

// Appends the body of record to bytes, the credentials encrypted. False, with bytes unchanged,
// when a text is longer than kMaxBodyTextBytes: such a body could not be read back.
bool WriteOptionBody(const SettingsRecord& record, std::string* bytes);

// Reads one body from bytes at *offset into record and moves *offset past it. A length or count
// that is negative, above the limit or longer than what remains refuses the whole body: false,
// with record and *offset unchanged. Lists are read without empty or repeated entries.
bool ReadOptionBody(std::string_view bytes, size_t* offset, SettingsRecord& record);

}  // namespace tv
