#include "controller/tray_tip.h"

#include <cstdio>

#include "controller/next_run_times.h"

namespace tv {

namespace {

// "hh:mm", two digits each; an invalid time shows "-1:-1".
std::string HourMinute(const DateTime& time) {
    char buffer[32];
    std::snprintf(buffer, sizeof buffer, "%02d:%02d", time.Hour(), time.Minute());
    return buffer;
}

std::string DriveUnitPart(const SettingsRecord& settings, bool driveUnitArmed,
                          const DateTime& next) {
    if (settings.Synchronize == 0) return "Tessaravine 次回Syncなし\n";
    // Armed without an interval: the drive unit has had its runs and waits for no timer.
    if (driveUnitArmed && IsNoInterval(settings.SyncInterval)) return "";
    return "Tessaravine 次回Sync " + HourMinute(next) + "\n";
}

bool IsUtf8Continuation(unsigned char byte) { return (byte & 0xC0) == 0x80; }

}  // namespace

std::string TrayTipText(const SettingsRecord& settings, bool driveUnitArmed,
                        const DateTime& nextDriveUnitTime, const DateTime& nextFileDirTime) {
    const std::string driveUnit = DriveUnitPart(settings, driveUnitArmed, nextDriveUnitTime);
    if (IsNoInterval(settings.MirrorInterval)) return driveUnit + "               次回Mirrorなし ";
    return driveUnit + "               次回Mirror " + HourMinute(nextFileDirTime);
}

std::string FitTrayTip(const std::string& text) {
    size_t characters = 0;
    for (size_t i = 0; i < text.size(); ++i) {
        if (IsUtf8Continuation(static_cast<unsigned char>(text[i]))) continue;
        if (characters == kTrayTipMaxCharacters) return text.substr(0, i);
        ++characters;
    }
    return text;
}

}  // namespace tv
