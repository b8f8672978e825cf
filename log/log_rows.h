// How the log viewer orders and marks the records of a day.
#pragma once

#include <cstddef>
#include <deque>
#include <vector>

#include "log/log_record.h"

namespace tv {

// The records of a day in file order. A deque grows without moving what it holds, so a long
// day never needs room for its records twice over while it is read.
using LogRows = std::deque<LogRecord>;

// The row icons, in the order of the viewer's image list.
enum class LogRowIcon { Ok = 0, Error = 1, Skipped = 2 };

// Error for "エラー", Skipped for "スキップ" and "中止", Ok for every other result.
LogRowIcon LogRowIconOf(const LogRecord& record);

// The order shown once a day is loaded, as indexes into rows: records with a result (trimmed)
// before those without one, so recognition lines go last; among equals the later time first
// (byte order). Equal records keep their file order. The records themselves are not moved, so
// ordering a long day costs one index per record.
std::vector<size_t> LogRowOrder(const LogRows& rows);

}  // namespace tv
