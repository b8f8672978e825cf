// The relocation of a removable drive's backups when the settings give the drive a new
// destination: the old folder copied or moved to the new one behind the progress window, with
// the removable media unit's copy options.
#pragma once

#include <string>

#include "controller/ports/copy_runner.h"
#include "engine/relocation/relocation.h"
#include "settings/settings_record.h"

namespace tv {

// The window titles of a copy and of a move.
inline constexpr const char* kRelocationTitleCopy = "リムバブルメディア保存先のコピー";
inline constexpr const char* kRelocationTitleMove = "リムバブルメディア保存先の移動";

// The request that copies (or moves) oldFolder to newFolder with the removable unit's buffer and
// load control and the record's idle check, excluded folders and progress bar. The request
// points at the record's excluded folders, which the caller keeps for as long as it runs.
RelocationRequest MakeRelocationRequest(const SettingsRecord& settings,
                                        const std::string& oldFolder, const std::string& newFolder,
                                        bool move);

// Runs that request through the runner's modal window; the runner's result (see
// CopyRunner::RunRelocation). A failure is reported by the run itself.
int RunBackupRelocation(CopyRunner& runner, const SettingsRecord& settings,
                        const std::string& oldFolder, const std::string& newFolder, bool move);

}  // namespace tv
