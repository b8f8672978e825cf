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

// Once its first runs are done, a drive unit without an interval runs no more by the timer.
bool DriveUnitRunsByTimer(const SettingsRecord& settings, const FrameState& state) {
    return settings.Synchronize != 0 &&
           !(state.driveUnit.Armed && IsNoInterval(settings.SyncInterval));
}

bool FileDirRunsByTimer(const SettingsRecord& settings, const FrameState&) {
    const DateTime& interval = settings.MirrorInterval;
    return interval.IsValid() && (interval.Hour() > 0 || interval.Minute() > 0);
}

// What the tick needs of a unit with an interval.
struct IntervalUnit {
    bool (*runsByTimer)(const SettingsRecord&, const FrameState&);
    const DateTime& (MainFrame::*nextTime)() const;
    void (MainFrame::*recomputeNextTime)(Postponement);
    void (*run)(RunHost&, SettingsRecord&, RunOrigin);
};

constexpr IntervalUnit kDriveUnit{DriveUnitRunsByTimer, &MainFrame::nextDriveUnitTime,
                                  &MainFrame::RecomputeNextDriveUnitTime, RunDriveUnit};
constexpr IntervalUnit kFileDirUnit{FileDirRunsByTimer, &MainFrame::nextFileDirTime,
                                    &MainFrame::RecomputeNextFileDirTime, RunFileDir};

// In its due minute a unit runs when the user is idle, and is moved on when not.
void TickUnit(MainFrame& frame, const IntervalUnit& unit, const DateTime& now) {
    SettingsRecord& settings = frame.settings();
    FrameState& state = frame.state();
    if (!unit.runsByTimer(settings, state)) return;
    if (!IsSameMinute((frame.*unit.nextTime)(), now)) return;
    if (!frame.IsIdle()) {
        (frame.*unit.recomputeNextTime)(Postponement::UserBusy);
        return;
    }
    unit.run(frame, settings, RunOrigin::Timer);
}

// A next time the clock has gone past by the minute of the day is moved on from now. The date is
// left out, so a next time just after midnight waits until the clock has passed midnight too.
void CatchUpDriveUnit(MainFrame& frame) {
    const DateTime now = frame.services().clock.NowDateTime();
    if (MinuteOfDay(frame.nextDriveUnitTime()) < MinuteOfDay(now)) {
        frame.RecomputeNextDriveUnitTime(Postponement::None);
    }
}

}  // namespace

// The tip tells when the runs are next due, so it follows every move of a next time, also the
// ones made while the user stays busy.
void RunTick(MainFrame& frame) {
    const DateTime now = frame.services().clock.NowDateTime();
    const DateTime nextDriveUnit = frame.nextDriveUnitTime();
    const DateTime nextFileDir = frame.nextFileDirTime();
    TickUnit(frame, kDriveUnit, now);
    TickUnit(frame, kFileDirUnit, now);
    CatchUpDriveUnit(frame);
    if (frame.nextDriveUnitTime() != nextDriveUnit || frame.nextFileDirTime() != nextFileDir) {
        frame.UpdateTrayTip();
    }
    RunDueSchedules(frame, now);
}

}  // namespace tv
