#include "controller/tick/ten_second_tick.h"

#include "controller/main_frame.h"
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

void MarkIntervalRun(FrameState& state) {
    state.UnattendedRun = true;
    state.ScheduledRun = false;
}

// Once its first runs are done, a drive unit without an interval runs no more by the timer.
bool DriveUnitRunsByTimer(const SettingsRecord& settings, const FrameState& state) {
    return settings.Synchronize != 0 &&
           !(state.DriveUnitArmed && IsNoInterval(settings.SyncInterval));
}

void TickDriveUnit(MainFrame& frame, const DateTime& now) {
    SettingsRecord& settings = frame.settings();
    if (!DriveUnitRunsByTimer(settings, frame.state())) return;
    if (!IsSameMinute(frame.nextDriveUnitTime(), now)) return;
    if (!frame.IsIdle()) {
        frame.RecomputeNextDriveUnitTime(Postponement::UserBusy);
        return;
    }
    MarkIntervalRun(frame.state());
    RunDriveUnit(frame, settings, RunOrigin::Timer);
}

bool HasFileDirInterval(const SettingsRecord& settings) {
    const DateTime& interval = settings.MirrorInterval;
    return interval.IsValid() && (interval.Hour() > 0 || interval.Minute() > 0);
}

void TickFileDir(MainFrame& frame, const DateTime& now) {
    SettingsRecord& settings = frame.settings();
    if (!HasFileDirInterval(settings)) return;
    if (!IsSameMinute(frame.nextFileDirTime(), now)) return;
    if (!frame.IsIdle()) {
        frame.RecomputeNextFileDirTime(Postponement::UserBusy);
        return;
    }
    MarkIntervalRun(frame.state());
    RunFileDir(frame, settings, RunOrigin::Timer);
}

// A next time the clock has gone past by the minute of the day is moved on from now. The date is
// left out, so a next time just after midnight waits until the clock has passed midnight too.
void CatchUpDriveUnit(MainFrame& frame) {
    const DateTime now = frame.services().clock.NowDateTime();
    if (MinuteOfDay(frame.nextDriveUnitTime()) < MinuteOfDay(now)) {
        frame.RecomputeNextDriveUnitTime();
    }
}

}  // namespace

// The tip tells when the runs are next due, so it follows every move of a next time, also the
// ones made while the user stays busy.
void RunTick(MainFrame& frame) {
    const DateTime now = frame.services().clock.NowDateTime();
    const DateTime nextDriveUnit = frame.nextDriveUnitTime();
    const DateTime nextFileDir = frame.nextFileDirTime();
    TickDriveUnit(frame, now);
    TickFileDir(frame, now);
    CatchUpDriveUnit(frame);
    if (frame.nextDriveUnitTime() != nextDriveUnit || frame.nextFileDirTime() != nextFileDir) {
        frame.UpdateTrayTip();
    }
    RunDueSchedules(frame, now);
}

}  // namespace tv
