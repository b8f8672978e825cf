#include "controller/runners/copy_launch.h"

#include "controller/runners/held_deletion_notice.h"
#include "engine/step_log.h"

namespace tv {

CopyOutcome LaunchCopyRun(RunHost& host, const SettingsRecord& settings, const CopyLaunch& launch,
                          LogRecord& log) {
    const RunServices services = host.runServices();
    CopyJob job = MakeCopyJob(settings, launch.kind, launch.source, launch.destination, &log);
    job.FullBackup = launch.fullBackup ? 1 : 0;
    if (IsManual(launch.origin)) job.AskUser = &services.prompts;
    const int endCode = services.copyRunner.RunCopyJob(job, launch.title);
    const std::string day = LogDateText(services.clock);
    if (const std::optional<Notice> held = HeldDeletionNotice(job)) {
        host.NotifyWithLogAction(*held, day);
    }
    host.runFailures().AddJob(job, day);
    return CopyOutcome{endCode, job.HadError != 0};
}

}  // namespace tv
