// The tip of the tray icon: when the drive unit and the file/directory unit run next.
#pragma once

#include <string>

#include "platform/date_time.h"
#include "settings/settings_record.h"

namespace tv {

// The icon's tip holds at most this many characters.
constexpr size_t kTrayTipMaxCharacters = 127;

std::string TrayTipText(const SettingsRecord& settings, bool driveUnitArmed,
                        const DateTime& nextDriveUnitTime, const DateTime& nextFileDirTime);

// The text cut to at most kTrayTipMaxCharacters characters, never inside a UTF-8 sequence.
std::string FitTrayTip(const std::string& text);

}  // namespace tv
