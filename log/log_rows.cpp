#include "log/log_rows.h"

#include <algorithm>
#include <cstdint>
#include <string>

namespace tv {

namespace {

// True when text holds more than white space, that is when it is not empty once trimmed.
bool HasText(const std::string& text) {
    return text.find_first_not_of(" \t\r\n\v\f") != std::string::npos;
}

// What the order looks at, gathered once per record: the first eight bytes of the time, most
// significant first, decide most comparisons without touching the record.
struct SortKey {
    bool hasResult;
    uint64_t timePrefix;
    size_t index;
};

uint64_t TimePrefix(const std::string& time) {
    uint64_t prefix = 0;
    for (size_t i = 0; i < sizeof prefix; ++i) {
        const auto byte = static_cast<unsigned char>(i < time.size() ? time[i] : 0);
        prefix = (prefix << 8) | byte;
    }
    return prefix;
}

}  // namespace

LogRowIcon LogRowIconOf(const LogRecord& record) {
    if (record.result == kLogResultError) return LogRowIcon::Error;
    if (record.result == kLogResultSkipped || record.result == kLogResultCancelled) {
        return LogRowIcon::Skipped;
    }
    return LogRowIcon::Ok;
}

std::vector<size_t> LogRowOrder(const LogRows& rows) {
    std::vector<SortKey> keys;
    keys.reserve(rows.size());
    for (size_t index = 0; index < rows.size(); ++index) {
        keys.push_back({HasText(rows[index].result), TimePrefix(rows[index].time), index});
    }
    std::sort(keys.begin(), keys.end(), [&rows](const SortKey& a, const SortKey& b) {
        if (a.hasResult != b.hasResult) return a.hasResult;
        if (a.timePrefix != b.timePrefix) return a.timePrefix > b.timePrefix;
        const int times = rows[a.index].time.compare(rows[b.index].time);
        if (times != 0) return times > 0;
        return a.index < b.index;
    });
    std::vector<size_t> order;
    order.reserve(keys.size());
    for (const SortKey& key : keys) order.push_back(key.index);
    return order;
}

}  // namespace tv
