// The day list of the log viewer: a heading, then every day that has a day file.
#pragma once

#include <string>
#include <vector>

#include "log/log_store.h"

namespace tv {

// The first item; choosing it shows nothing.
inline constexpr const char* kLogDayListHeading = "作成日";

// The heading, then the days of the store's day files, oldest first.
std::vector<std::string> LogDayListItems(const LogStore& store);

// The index of the first item that begins with day, or -1 when there is none.
int LogDayListIndexOf(const std::vector<std::string>& items, const std::string& day);

}  // namespace tv
