// A single file of the file list, copied directly beside the folder items' copies: no progress
// window, one log line per copy attempt.
#pragma once

#include <string>

#include "controller/runners/copy_launch.h"
#include "controller/runners/run_host.h"
#include "settings/settings_record.h"

namespace tv {

// The file's extension is not excluded and its copy is older (or overwriting is forced).
bool SingleFileItemIsCopied(const SettingsRecord& settings, const std::string& item,
                            const std::string& destination);

// A file whose extension the lists exclude, or whose copy is not older (unless overwriting is
// forced), is left alone without a log line. Otherwise it is copied over its copy and logged
// "ファイル作成" with "ＯＫ" or "エラー".
void CopySingleFileItem(RunHost& host, const SettingsRecord& settings, const std::string& item,
                        const std::string& destination, RunOrigin origin);

}  // namespace tv
