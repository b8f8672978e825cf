// The figures of the transfer speed test and the transfer-time range: speeds in MB per minute
// and per hour from a copy's bytes and milliseconds, the estimate without the pauses of the
// load control, and the times the previewed files would take.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "settings/settings_record.h"

namespace tv {

constexpr const char* kSpeedMeasuring = "測定中...";
constexpr const char* kSpeedUnmeasurable = "測定不能";
constexpr const char* kTransferTimeUnknown = "転送時間不明";

struct Speed {
    uint64_t perMinuteMb = 0;
    uint64_t perHourMb = 0;
};

// The speed of bytes copied in milliseconds; nothing when the time is 0 or no byte a
// millisecond was copied.
std::optional<Speed> SpeedOf(uint64_t bytes, uint64_t milliseconds);

// The milliseconds the load control paused a copy of bytes, estimated from the drive unit's
// buffer and pause settings, whatever unit was measured.
uint64_t EstimatedPauseMs(uint64_t bytes, const SettingsRecord& settings);

// The speed without the pauses; nothing when the pauses took the whole time or more.
std::optional<Speed> FullPowerSpeedOf(uint64_t bytes, uint64_t milliseconds,
                                      const SettingsRecord& settings);

// "%dMB", or "測定不能" without a speed.
std::string SpeedText(std::optional<uint64_t> megabytes);

// How long totalMb takes at perMinuteMb, as "H時間M分"; "転送時間不明" without a speed or at
// 0. The slowest estimate never shows less than one minute.
std::string TransferTimeText(uint64_t totalMb, std::optional<uint64_t> perMinuteMb, bool slowest);

}  // namespace tv
