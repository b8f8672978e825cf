#include "log/log_day_list.h"

#include <algorithm>

namespace tv {

std::vector<std::string> LogDayListItems(const LogStore& store) {
    std::vector<std::string> days;
    store.ListDays(&days);
    std::sort(days.begin(), days.end());
    days.insert(days.begin(), kLogDayListHeading);
    return days;
}

int LogDayListIndexOf(const std::vector<std::string>& items, const std::string& day) {
    for (size_t index = 0; index < items.size(); ++index) {
        if (items[index].compare(0, day.size(), day) == 0) return static_cast<int>(index);
    }
    return -1;
}

}  // namespace tv
