#include "controller/runners/copy_launch.h"

#include "controller/main_frame.h"
#include "controller/removable/voice_guide.h"
#include "controller/runners/held_deletion_notice.h"
#include "controller/runners/log_notice.h"
#include "engine/step_log.h"

namespace tv {

int LaunchCopyRun(MainFrame& frame, const SettingsRecord& settings, const CopyLaunch& launch,
                  LogRecord& log) {
    FrameServices& services = frame.services();
    CopyJob job = MakeCopyJob(settings, launch.kind, launch.source, launch.destination, &log);
    job.FullBackup = launch.fullBackup ? 1 : 0;
    if (IsManual(launch.origin)) job.AskUser = &services.prompts;
    const int endCode = services.copyRunner.RunCopyJob(job, launch.title);
    const std::string day = LogDateText(services.clock);
    if (const std::optional<Notice> held = HeldDeletionNotice(job)) {
        NotifyWithLogAction(frame, *held, day);
    }
    frame.runFailures().AddJob(job, day);
    if (launch.kind == RunKind::Removable && settings.Sound != 0) {
        PlayVoice(frame, EndVoiceFile(launch.mirroring, job.HadError != 0), true);
    }
    return endCode;
}

}  // namespace tv
