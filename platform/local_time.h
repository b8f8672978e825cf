// The C library's local time calls that differ between systems.
#pragma once

#include <ctime>

namespace tv {

// The local calendar time of t, safe to call from any thread; false when t has none.
bool LocalCalendarTime(std::time_t t, std::tm* local);
// mktime: the time_t of a local calendar time, with tm_isdst and tm_wday set; -1 when it has
// none.
std::time_t TimeTOfLocal(std::tm* tm);
// Copies the zone that mktime found for a moment (daylight saving, and where the C library
// keeps them the offset and the zone's name) onto a calendar time for strftime's %z and %Z.
void CopyZoneFields(const std::tm& normalized, std::tm* tm);

}  // namespace tv
