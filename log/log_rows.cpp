#include "log/log_rows.h"

#include <algorithm>
#include <string>

namespace tv {

namespace {

// True when text holds more than white space, that is when it is not empty once trimmed.
bool HasText(const std::string& text) {
    return text.find_first_not_of(" \t\r\n\v\f") != std::string::npos;
}

bool ShownBefore(const LogRecord& a, const LogRecord& b) {
    const bool aHasResult = HasText(a.result);
    const bool bHasResult = HasText(b.result);
    if (aHasResult != bHasResult) return aHasResult;
    return a.time > b.time;
}

}  // namespace

LogRowIcon LogRowIconOf(const LogRecord& record) {
    if (record.result == kLogResultError) return LogRowIcon::Error;
    if (record.result == kLogResultSkipped || record.result == kLogResultCancelled) {
        return LogRowIcon::Skipped;
    }
    return LogRowIcon::Ok;
}

void SortLogRows(std::vector<LogRecord>* rows) {
    std::stable_sort(rows->begin(), rows->end(), ShownBefore);
}

}  // namespace tv
