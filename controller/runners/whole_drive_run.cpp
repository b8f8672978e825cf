#include "controller/runners/whole_drive_run.h"

#include "controller/ports/copy_runner.h"
#include "controller/runners/decision_file.h"
#include "platform/drive_table.h"
#include "platform/file_system.h"
#include "platform/paths.h"
#include "platform/win_constants.h"

namespace tv {

RunStep RunWholeDrive(RunHost& host, const SettingsRecord& settings, const WholeDriveRun& run) {
    if (run.destinationFolder.empty()) return RunStep::Stop;
    const RunServices services = host.runServices();
    const std::string root = services.drives.RootOf(run.letter);
    if (root.empty() || GetFileAttributes(root) == kInvalidAttributes) return RunStep::Continue;

    DecisionFile decisions;
    decisions.Open(services.locations.programDir);
    const DateTime start = services.clock.NowDateTime();
    uint32_t serial = 0;
    services.drives.VolumeInformation(root, &serial, nullptr);
    const bool known = decisions.Find(DecisionFile::VolumeIdentifier(serial));

    CopyLaunch launch;
    launch.title = run.title;
    launch.source = root;
    launch.destination = JoinPath(run.destinationFolder, SerialFolderName(serial));
    launch.kind = run.kind;
    launch.origin = run.origin;
    launch.fullBackup = run.fullBackups && (run.fullBackupDue || !known);
    const LogRecord log =
        RunLogFields(start, run.unit, std::string(1, run.letter), IsManual(run.origin), known);
    const int endCode = LaunchCopyRun(host, settings, launch, log).windowResult;
    if (endCode == kIdStopAll) return RunStep::Stop;
    if (endCode != kIdStopAndNext) decisions.Append(serial, DecisionLayout::Tabs, known, start);
    return RunStep::Continue;
}

}  // namespace tv
