// The four figures the log viewer shows for a day: files written by backups and by mirrorings,
// and files skipped or failed while being written.
#pragma once

#include <cstdint>

#include "log/log_record.h"

namespace tv {

struct LogCounters {
    uint64_t backups = 0;
    uint64_t mirrorings = 0;
    uint64_t skips = 0;
    uint64_t errors = 0;
    bool operator==(const LogCounters& o) const {
        return backups == o.backups && mirrorings == o.mirrorings && skips == o.skips &&
               errors == o.errors;
    }
};

// Adds what one record of the day stands for. Only a written file ("ファイル作成") counts: by
// its work toward backups or mirrorings, and by its result toward skips or errors.
void CountLogRecord(const LogRecord& record, LogCounters* counters);

}  // namespace tv
