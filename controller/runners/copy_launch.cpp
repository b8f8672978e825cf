#include "controller/runners/copy_launch.h"

#include "controller/runners/held_deletion_notice.h"
#include "engine/job/step_log.h"

namespace tv {

CopyRunResult LaunchCopyRun(RunHost& host, const SettingsRecord& settings, const CopyLaunch& launch,
                            const LogRecord& log) {
    const RunServices services = host.runServices();
    CopyJob job = MakeCopyJob(settings, launch.kind, launch.source, launch.destination, &log);
    job.FullBackup = launch.fullBackup ? 1 : 0;
    job.AskBeforeMassDeletion = IsManual(launch.origin) ? 1 : 0;
    const CopyRunResult run = services.copyRunner.RunCopyJob(job, launch.title);
    const std::string day = LogDateText(services.clock);
    if (const std::optional<Notice> held = HeldDeletionNotice(job, run.outcome)) {
        host.NotifyWithLogAction(*held, day);
    }
    host.runFailures().AddJob(run.outcome, day);
    return run;
}

}  // namespace tv
