// The first day of the activity log that is kept when the program ends.
#pragma once

#include <string>

#include "platform/date_time.h"

namespace tv {

// today minus the record's day count (the day of month of beforeLogDate), as "yyyy/mm/dd".
// "" when the count is unset or today is unknown: then nothing may be purged, since a cutoff
// computed from them could lie after today and delete the current day.
std::string LogPurgeCutoff(const DateTime& today, const DateTime& beforeLogDate);

}  // namespace tv
