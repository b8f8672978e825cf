#include "controller/tick/ten_second_tick.h"

#include "controller/next_run_times.h"
#include "controller/runners/drive_unit_run.h"
#include "controller/runners/file_dir_run.h"
#include "controller/tick/schedule_pass.h"

namespace tv {

namespace {

// Next times are met by their hour and minute alone, on any day; an invalid one never is.
bool IsSameMinute(const DateTime& next, const DateTime& now) {
    return next.IsValid() && next.Hour() == now.Hour() && next.Minute() == now.Minute();
}

int MinuteOfDay(const DateTime& time) { return time.Hour() * 60 + time.Minute(); }

// Once its first runs are done, a drive unit without an interval runs no more by the timer.
bool DriveUnitRunsByTimer(const SettingsRecord& settings, const DriveUnitProgress& progress) {
    return settings.Synchronize != 0 && !(progress.Armed && IsNoInterval(settings.SyncInterval));
}

bool FileDirRunsByTimer(const SettingsRecord& settings, const DriveUnitProgress&) {
    const DateTime& interval = settings.MirrorInterval;
    return interval.IsValid() && (interval.Hour() > 0 || interval.Minute() > 0);
}

// What the tick needs of a unit with an interval.
struct IntervalUnit {
    bool (*runsByTimer)(const SettingsRecord&, const DriveUnitProgress&);
    const DateTime& (TickHost::*nextTime)() const;
    void (RunHost::*recomputeNextTime)(Postponement);
    void (*run)(RunHost&, SettingsRecord&, RunOrigin);
};

constexpr IntervalUnit kDriveUnit{DriveUnitRunsByTimer, &TickHost::nextDriveUnitTime,
                                  &RunHost::RecomputeNextDriveUnitTime, RunDriveUnit};
constexpr IntervalUnit kFileDirUnit{FileDirRunsByTimer, &TickHost::nextFileDirTime,
                                    &RunHost::RecomputeNextFileDirTime, RunFileDir};

// In its due minute a unit runs when the user is idle, and is moved on when not.
void TickUnit(TickHost& host, const IntervalUnit& unit, const DateTime& now) {
    RunHost& runs = host.runs();
    SettingsRecord& settings = runs.settings();
    if (!unit.runsByTimer(settings, runs.driveUnitProgress())) return;
    if (!IsSameMinute((host.*unit.nextTime)(), now)) return;
    if (!host.IsIdle()) {
        (runs.*unit.recomputeNextTime)(Postponement::UserBusy);
        return;
    }
    unit.run(runs, settings, RunOrigin::Timer);
}

// A next time the clock has gone past by the minute of the day is moved on from now. The date is
// left out, so a next time just after midnight waits until the clock has passed midnight too.
void CatchUpDriveUnit(TickHost& host) {
    const DateTime now = host.runs().runServices().clock.NowDateTime();
    if (MinuteOfDay(host.nextDriveUnitTime()) < MinuteOfDay(now)) {
        host.runs().RecomputeNextDriveUnitTime();
    }
}

}  // namespace

// The tip tells when the runs are next due, so it follows every move of a next time, also the
// ones made while the user stays busy.
void RunTick(TickHost& host) {
    const DateTime now = host.runs().runServices().clock.NowDateTime();
    const DateTime nextDriveUnit = host.nextDriveUnitTime();
    const DateTime nextFileDir = host.nextFileDirTime();
    TickUnit(host, kDriveUnit, now);
    TickUnit(host, kFileDirUnit, now);
    CatchUpDriveUnit(host);
    if (host.nextDriveUnitTime() != nextDriveUnit || host.nextFileDirTime() != nextFileDir) {
        host.UpdateTrayTip();
    }
    RunDueSchedules(host.runs(), host.schedules(), now);
}

}  // namespace tv
