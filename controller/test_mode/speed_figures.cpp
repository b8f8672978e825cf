#include "controller/test_mode/speed_figures.h"

#include "engine/job/copy_job.h"
#include "settings/unit_options.h"

namespace tv {

std::optional<Speed> SpeedOf(uint64_t bytes, uint64_t milliseconds) {
    if (milliseconds == 0) return std::nullopt;
    const uint64_t perMs = bytes / milliseconds;
    if (perMs == 0) return std::nullopt;
    const uint64_t kbPerSecond = (perMs * 1000) / 1024;
    return Speed{(kbPerSecond * 60) / 1024, (kbPerSecond * 3600) / 1024};
}

uint64_t EstimatedPauseMs(uint64_t bytes, const SettingsRecord& settings) {
    const UnitOptions drive = UnitOptionsOf(settings, SettingsUnit::DriveUnit);
    const uint64_t block = static_cast<uint64_t>(BufferSizeForSetting(drive.cacheSize));
    const uint64_t pause = drive.loadControl > 0 ? drive.loadControl : 0;
    if (bytes > block) return (bytes / block) * pause;
    return (drive.cacheSize == 6 ? 2 : 4) * pause;
}

std::optional<Speed> FullPowerSpeedOf(uint64_t bytes, uint64_t milliseconds,
                                      const SettingsRecord& settings) {
    const uint64_t pauses = EstimatedPauseMs(bytes, settings);
    if (pauses >= milliseconds) return std::nullopt;
    return SpeedOf(bytes, milliseconds - pauses);
}

std::string SpeedText(std::optional<uint64_t> megabytes) {
    if (!megabytes) return kSpeedUnmeasurable;
    return std::to_string(*megabytes) + "MB";
}

std::string TransferTimeText(uint64_t totalMb, std::optional<uint64_t> perMinuteMb, bool slowest) {
    if (!perMinuteMb || *perMinuteMb == 0) return kTransferTimeUnknown;
    uint64_t minutes = totalMb / *perMinuteMb;
    if (slowest && minutes == 0) minutes = 1;
    return std::to_string(minutes / 60) + "時間" + std::to_string(minutes % 60) + "分";
}

}  // namespace tv
