// What a run needs of the frame it runs in: the services it works with, the live settings, the
// bracket it is made in, the failures it gathers for the end of the run, the notices it gives,
// and the bookkeeping of the interval units. The frame is the host of every run; a runner sees
// nothing else of it.
#pragma once

#include <string>

#include "controller/frame_state.h"
#include "controller/next_run_times.h"
#include "controller/ports/copy_runner.h"
#include "controller/ports/notifier.h"
#include "controller/run_origin.h"
#include "controller/runners/run_bracket.h"
#include "controller/runners/run_failures.h"
#include "platform/clock.h"
#include "platform/drive_table.h"
#include "platform/locations.h"
#include "platform/prompts.h"
#include "platform/share_mounter.h"
#include "settings/settings_record.h"

namespace tv {

struct RunServices {
    const Clock& clock;
    DriveTable& drives;
    const Locations& locations;
    Prompts& prompts;
    // Connects the shares of network destinations.
    ShareMounter& shares;
    CopyRunner& copyRunner;
};

class RunHost {
  public:
    virtual RunServices runServices() = 0;
    // The live settings record.
    virtual SettingsRecord& settings() = 0;
    // Who asked for the run about to start: a question about the session's end during the run
    // is answered by it.
    virtual void NoteRunOrigin(RunOrigin origin) = 0;
    // A run starts only when its bracket was entered. At its end what failed in the run is told
    // by one desktop notice naming unit (as the user knows it), and the shutdown or log-off
    // chosen during the run is carried out.
    virtual RunBracket BeginRun(TickDuringRun tick, const std::string& unit) = 0;
    // What has failed so far in the run in progress.
    virtual RunFailures& runFailures() = 0;
    // A notice about a run, with the action that opens the activity log of day ("yyyy/mm/dd").
    virtual void NotifyWithLogAction(Notice notice, const std::string& day) = 0;
    virtual DriveUnitProgress& driveUnitProgress() = 0;
    // The next due times of the interval runs, from now.
    virtual void RecomputeNextDriveUnitTime(Postponement postponement = Postponement::None) = 0;
    virtual void RecomputeNextFileDirTime(Postponement postponement = Postponement::None) = 0;

  protected:
    ~RunHost() = default;
};

}  // namespace tv
