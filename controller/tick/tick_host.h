// What the ten-second tick needs of the frame: the host of the runs it starts, whether the user
// is idle, the interval units' next times, the tray tip that shows them, and the schedules.
#pragma once

#include "controller/runners/run_host.h"
#include "platform/date_time.h"
#include "schedule/schedule_list.h"

namespace tv {

class TickHost {
  public:
    virtual RunHost& runs() = 0;
    // Without the idle library the user always counts as busy.
    virtual bool IsIdle() const = 0;
    virtual const DateTime& nextDriveUnitTime() const = 0;
    virtual const DateTime& nextFileDirTime() const = 0;
    virtual void UpdateTrayTip() = 0;
    virtual ScheduleList& schedules() = 0;

  protected:
    ~TickHost() = default;
};

}  // namespace tv
