// One copy run of the engine behind the progress window, as every runner starts it.
#pragma once

#include <string>

#include "controller/ports/copy_runner.h"
#include "controller/run_origin.h"
#include "controller/runners/run_host.h"
#include "controller/runners/run_job.h"
#include "log/log_record.h"
#include "settings/settings_record.h"

namespace tv {

struct CopyLaunch {
    std::string title;
    std::string source;
    std::string destination;
    RunKind kind = RunKind::FileDir;
    RunOrigin origin = RunOrigin::Timer;
    // Compares every file with its copy by content (drive-unit runs only).
    bool fullBackup = false;
};

// Whether a runner goes on with its next drive or item.
enum class RunStep { Continue, Stop };

// Fills the job from settings and runs it through the frame's copy runner with its modal
// window. A manual run asks the user before a mirror deletion of most of the destination; an
// unattended run holds it back and the user is told by a desktop notification. What failed is noted
// for the end of the frame's run, which tells it. log holds the fixed fields of the run's log
// lines.
CopyRunResult LaunchCopyRun(RunHost& host, const SettingsRecord& settings, const CopyLaunch& launch,
                            const LogRecord& log);

}  // namespace tv
