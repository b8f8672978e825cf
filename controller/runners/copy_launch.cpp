#include "controller/runners/copy_launch.h"

#include "controller/main_frame.h"
#include "controller/runners/held_deletion_notice.h"

namespace tv {

int LaunchCopyRun(MainFrame& frame, const SettingsRecord& settings, const CopyLaunch& launch,
                  LogRecord& log) {
    FrameServices& services = frame.services();
    CopyJob job = MakeCopyJob(settings, launch.kind, launch.source, launch.destination, &log);
    job.FullBackup = launch.fullBackup ? 1 : 0;
    if (IsManual(launch.origin)) job.AskUser = &services.prompts;
    const int endCode = services.copyRunner.RunCopyJob(job, launch.title);
    NotifyHeldDeletion(job, services.notifier);
    return endCode;
}

}  // namespace tv
