// The option file (".dat"): a whole configuration kept aside or moved to another machine. It is
// the 22 ASCII bytes of kOptionFileHeader (no terminator, no line break) followed by the
// option-file body of a record.
#pragma once

#include <string>

#include "platform/prompts.h"
#include "settings/settings_record.h"

namespace tv {

constexpr char kOptionFileHeader[] = "==Tessaravine VerX.X==";
constexpr size_t kOptionFileHeaderBytes = sizeof(kOptionFileHeader) - 1;

// The bytes of the option file of record; false when a text is too long to be read back.
bool OptionFileBytes(const SettingsRecord& record, std::string* bytes);

// Writes the option file of record to path, replacing it whole (the credentials are encrypted on
// copies; the record is not changed). False when the file cannot be written; nothing is shown.
bool ExportOptions(const SettingsRecord& record, const std::string& path);

// Reads the option file at path into record. False, record unchanged, when the file cannot be
// opened (nothing shown), or when it is not a whole option file: a wrong header or a damaged
// body tells the user so through prompts.
bool ImportOptions(const std::string& path, SettingsRecord& record, Prompts& prompts);

}  // namespace tv
