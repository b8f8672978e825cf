#include "controller/runners/single_file_item.h"

#include "engine/job/step_log.h"
#include "engine/listing/selection_rules.h"
#include "log/log_store.h"
#include "platform/file_system.h"
#include "platform/locations.h"
#include "platform/paths.h"

namespace tv {

bool SingleFileItemIsCopied(const SettingsRecord& settings, const std::string& item,
                            const std::string& destination) {
    const CopyJob rules = MakeCopyJob(settings, RunKind::FileDir, item, destination, nullptr);
    return IsTransferTarget(rules, item) && !IsDestinationNewer(rules, item, destination);
}

void CopySingleFileItem(RunHost& host, const SettingsRecord& settings, const std::string& item,
                        const std::string& destination, RunOrigin origin) {
    const RunServices services = host.runServices();
    if (!SingleFileItemIsCopied(settings, item, destination)) return;
    LogRecord log =
        RunLogFields(services.clock.NowDateTime(), kUnitFileDir, item, IsManual(origin), false);
    FillStep(&log, services.clock, kLogActionFileCreated, item, destination);
    // The destination folder may not exist yet when no folder item or drive went before.
    const bool copied = EnsureFolder(ContainingFolder(destination)) && CopyFile(item, destination);
    log.result = copied ? kLogResultOk : kLogResultError;
    if (!copied) host.runFailures().AddFailedFile(log.date);
    LogStore store(services.locations.programDir);
    store.Append(log);
    store.Close();
}

}  // namespace tv
