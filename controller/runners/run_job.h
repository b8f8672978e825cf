// What every run hands the engine: the copy job filled from a settings record for its kind, and
// the fields of the log record that stay the same for the whole run.
#pragma once

#include <string>

#include "engine/job/copy_job.h"
#include "log/log_record.h"
#include "platform/date_time.h"
#include "settings/settings_record.h"
#include "settings/unit_options.h"

namespace tv {

// The kinds of run are the three units.
using RunKind = SettingsUnit;

// The job of one run. The job points at the record's lists and at log (the fixed fields of its
// log lines), which the caller keeps for as long as the job runs.
CopyJob MakeCopyJob(const SettingsRecord& settings, RunKind kind, const std::string& source,
                    const std::string& destination, const LogRecord* log);

// The unit texts of the log.
inline constexpr const char* kUnitDriveUnit = "FullSynchrnize";
inline constexpr const char* kUnitFileDir = "File/Directory";
inline constexpr const char* kUnitRemovable = "RemovableMedia";

// Fields 0 to 5: the date, the unit, a blank, the drive letter or item path, who started the
// run ("手動" by hand, "自動" otherwise) and whether the volume was recorded before
// ("ミラーリング") or not ("バックアップ").
LogRecord RunLogFields(const DateTime& now, const char* unit, const std::string& target,
                       bool manual, bool known);

}  // namespace tv
