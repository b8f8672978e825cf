// The settings report "tqconfig.txt" in the program directory: every stored value under its
// registry name, for a user who sends in a description of the settings.
#pragma once

#include <string>

#include "platform/prompts.h"
#include "settings/settings_record.h"

namespace tv {

constexpr const char* kSettingsDumpFileName = "tqconfig.txt";

// The text of the report, lines ended by "\n". Whole numbers are printed unsigned (-1 as
// 4294967295); the credentials appear only in their encrypted form, each up to its first zero
// byte.
std::string SettingsDumpText(const SettingsRecord& record);

// Writes the report with CR LF line ends into programDir. When the file cannot be written the
// user is told through prompts and false is returned.
bool WriteSettingsDump(const SettingsRecord& record, const std::string& programDir,
                       Prompts& prompts);

}  // namespace tv
