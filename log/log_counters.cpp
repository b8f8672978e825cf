#include "log/log_counters.h"

namespace tv {

namespace {

constexpr const char* kWorkBackup = "バックアップ";
constexpr const char* kWorkMirroring = "ミラーリング";

}  // namespace

void CountLogRecord(const LogRecord& record, LogCounters* counters) {
    if (record.action != kLogActionFileCreated) return;
    if (record.work == kWorkBackup) {
        ++counters->backups;
    } else if (record.work == kWorkMirroring) {
        ++counters->mirrorings;
    }
    if (record.result == kLogResultSkipped) {
        ++counters->skips;
    } else if (record.result == kLogResultError) {
        ++counters->errors;
    }
}

}  // namespace tv
