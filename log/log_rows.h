// How the log viewer orders and marks the records of a day.
#pragma once

#include <vector>

#include "log/log_record.h"

namespace tv {

// The row icons, in the order of the viewer's image list.
enum class LogRowIcon { Ok = 0, Error = 1, Skipped = 2 };

// Error for "エラー", Skipped for "スキップ" and "中止", Ok for every other result.
LogRowIcon LogRowIconOf(const LogRecord& record);

// The order shown once a day is loaded: records with a result (trimmed) before those without
// one, so recognition lines go last; among equals the later time first. Equal records keep
// their file order.
void SortLogRows(std::vector<LogRecord>* rows);

}  // namespace tv
