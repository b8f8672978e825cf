#include "controller/tick/schedule_pass.h"

#include "controller/runners/drive_unit_run.h"
#include "controller/runners/file_dir_run.h"

namespace tv {

namespace {

// A schedule that falls due while a removable run is in progress starts nothing, yet counts as
// run: the runners find the run in progress and return at once.
void RunEntry(RunHost& runs, ScheduleEntry& entry, const DateTime& now) {
    if (entry.RunsDriveUnit()) {
        RunDriveUnit(runs, entry.Settings, RunOrigin::Schedule);
        entry.MarkRun(now);
    }
    if (entry.RunsFileDir()) {
        RunFileDir(runs, entry.Settings, RunOrigin::Schedule);
        entry.MarkRun(now);
    }
}

}  // namespace

void RunDueSchedules(RunHost& runs, ScheduleList& schedules, const DateTime& now) {
    if (schedules.Count() == 0) return;
    // The list cannot change during a run (the settings dialog stays shut), but the count is
    // asked anew for every index all the same.
    for (size_t index = 0; index < schedules.Count(); ++index) {
        ScheduleEntry& entry = schedules.At(index);
        if (entry.IsDue(now)) RunEntry(runs, entry, now);
    }
    schedules.RemoveSpentOnce();
}

}  // namespace tv
