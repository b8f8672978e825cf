#include "controller/next_run_times.h"

namespace tv {

namespace {

constexpr double kOneHour = 1.0 / 24.0;
constexpr double kStartUpDelay = 5 * kOneMinute;

// A part of an interval that cannot be read counts as -1, as its parts read.
double IntervalDays(const DateTime& interval) {
    return interval.Hour() * kOneHour + interval.Minute() * kOneMinute +
           interval.Second() * kOneSecond;
}

bool WaitsForIdle(Postponement postponement, int32_t unitSetting) {
    return postponement == Postponement::UserBusy && unitSetting != 0;
}

double IdleWaitDays(const SettingsRecord& settings) { return settings.NoIdleTime * kOneMinute; }

}  // namespace

DateTime NextDriveUnitTime(const DateTime& now, const SettingsRecord& settings, bool driveUnitArmed,
                           Postponement postponement) {
    if (WaitsForIdle(postponement, settings.NoIdleSync)) return now + IdleWaitDays(settings);
    return now + (driveUnitArmed ? IntervalDays(settings.SyncInterval) : kStartUpDelay);
}

DateTime NextFileDirTime(const DateTime& now, const SettingsRecord& settings,
                         Postponement postponement) {
    if (WaitsForIdle(postponement, settings.NoIdleMirror)) return now + IdleWaitDays(settings);
    return now + IntervalDays(settings.MirrorInterval);
}

bool IsNoInterval(const DateTime& interval) {
    return interval.IsValid() && interval.Hour() == 0 && interval.Minute() == 0;
}

}  // namespace tv
