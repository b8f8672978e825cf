// Names of the day files in the folder "Log": yyyymmdd.txt.
#pragma once

#include <string>

namespace tv {

// True for a name of the form yyyymmdd.txt (eight digits).
bool IsDayFileName(const std::string& name);
// "20050701.txt" → "2005/07/01"; the name must be a day-file name.
std::string DayOfDayFileName(const std::string& name);

}  // namespace tv
