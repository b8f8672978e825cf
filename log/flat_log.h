// The flat log "log.txt": every record in one file, with its day index "log.idx" that tells
// where each day's records begin.
#pragma once

#include <string>

#include "log/log_record.h"

namespace tv {

// Rebuilds "log.idx" from "log.txt" when it cannot be opened (start-up).
void CheckLogIndex(const std::string& programDir);
void RebuildLogIndex(const std::string& programDir);
// Appends a full record to the flat log "log.txt", creating it when missing.
bool AppendFlatLog(const std::string& programDir, const LogRecord& record);

}  // namespace tv
