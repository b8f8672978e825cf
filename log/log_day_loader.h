// Loads the records of one day file for the log viewer in small steps, so that the window
// stays responsive while a long day is read: each step reads at most a budget of records (and,
// when the budget has a time limit, stops once that much time has passed). The records stay
// in file order until the last step, which puts them in the order shown (log_rows.h).
#pragma once

#include <chrono>
#include <cstddef>
#include <string>
#include <vector>

#include "log/log_counters.h"
#include "log/log_record.h"
#include "log/log_rows.h"
#include "log/log_store.h"

namespace tv {

struct LogLoadBudget {
    size_t maxRecords = 10;
    // Zero: no time limit, only the record count bounds a step.
    std::chrono::steady_clock::duration maxTime{};
};

// Ten records a step, as the viewer's timer step reads them.
inline constexpr LogLoadBudget kTenRecordsPerStep{10, {}};
// As many records as fit in a few milliseconds: a long day loads in a fraction of the steps,
// and no step keeps the window from its other work for longer than that.
inline constexpr LogLoadBudget kTimeBoundedStep{200000, std::chrono::milliseconds(8)};

class LogDayLoader {
  public:
    explicit LogDayLoader(std::string programDir);

    // Forgets the previous day (rows, counters, an unfinished load) and opens the day file of
    // day ("yyyy/mm/dd"). False when there is none: the day stays empty and nothing is loading.
    bool Start(const std::string& day);
    // Reads the next records; returns how many rows became visible. Once the end of the file
    // is reached the rows are sorted, the file is closed and Loading() turns false.
    size_t Step(const LogLoadBudget& budget);

    bool Loading() const { return loading_; }
    const std::string& Day() const { return day_; }
    // While loading, the records of the day itself read so far; at the end every record read.
    size_t VisibleRowCount() const { return visibleRows_; }
    // Every record read so far.
    size_t RowCount() const { return rows_.size(); }
    // The record shown in row (below RowCount()): in file order while loading, in the order
    // shown once loaded.
    const LogRecord& Row(size_t row) const { return rows_[order_.empty() ? row : order_[row]]; }
    const LogCounters& Counters() const { return counters_; }

  private:
    void Finish();

    LogStore reader_;
    std::string day_;
    // The fields of the line read last: those that a short line does not reach keep them.
    LogRecord record_;
    LogRows rows_;
    // Row i shows rows_[order_[i]] once loaded; empty while loading.
    std::vector<size_t> order_;
    size_t visibleRows_ = 0;
    LogCounters counters_;
    bool loading_ = false;
};

}  // namespace tv
