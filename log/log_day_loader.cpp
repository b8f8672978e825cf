#include "log/log_day_loader.h"

#include <utility>

#include "log/log_rows.h"

namespace tv {

LogDayLoader::LogDayLoader(std::string programDir) : reader_(std::move(programDir)) {}

bool LogDayLoader::Start(const std::string& day) {
    day_ = day;
    rows_.clear();
    order_.clear();
    visibleRows_ = 0;
    counters_ = {};
    record_ = LogRecord();
    record_.date = day;
    loading_ = reader_.OpenForReading(day);
    return loading_;
}

size_t LogDayLoader::Step(const LogLoadBudget& budget) {
    if (!loading_) return 0;
    const auto deadline = std::chrono::steady_clock::now() + budget.maxTime;
    const bool timed = budget.maxTime.count() > 0;
    const size_t visibleBefore = visibleRows_;
    for (size_t read = 0; read < budget.maxRecords; ++read) {
        if (!reader_.ReadNext(&record_)) {
            Finish();
            break;
        }
        rows_.push_back(record_);
        if (record_.date == day_) {
            ++visibleRows_;
            CountLogRecord(record_, &counters_);
        }
        if (timed && std::chrono::steady_clock::now() >= deadline) break;
    }
    return visibleRows_ - visibleBefore;
}

void LogDayLoader::Finish() {
    visibleRows_ = rows_.size();
    order_ = LogRowOrder(rows_);
    reader_.Close();
    loading_ = false;
}

}  // namespace tv
