#include "platform/local_time.h"

#include <cstdint>

namespace tv {
namespace {

// Days from 1970-01-01 to a date of the proleptic Gregorian calendar.
int64_t DaysSinceEpoch(int64_t year, int month, int day) {
    year -= month <= 2;
    const int64_t era = (year >= 0 ? year : year - 399) / 400;
    const int64_t yearOfEra = year - era * 400;
    const int64_t dayOfYear = (153 * (month + (month > 2 ? -3 : 9)) + 2) / 5 + day - 1;
    const int64_t dayOfEra = yearOfEra * 365 + yearOfEra / 4 - yearOfEra / 100 + dayOfYear;
    return era * 146097 + dayOfEra - 719468;
}

}  // namespace

bool LocalCalendarTime(std::time_t t, std::tm* local) { return localtime_s(local, &t) == 0; }

// The C runtime's mktime takes nothing before 1970: earlier times are counted here, in the
// zone's standard time (its daylight saving rules are those of the present).
std::time_t TimeTOfLocal(std::tm* tm) {
    std::tm copy = *tm;
    const std::time_t t = std::mktime(&copy);
    if (t != static_cast<std::time_t>(-1)) {
        *tm = copy;
        return t;
    }
    if (tm->tm_mon < 0 || tm->tm_mon > 11) return -1;
    const int64_t days = DaysSinceEpoch(tm->tm_year + 1900LL, tm->tm_mon + 1, 1) + tm->tm_mday - 1;
    tm->tm_isdst = 0;
    tm->tm_wday = static_cast<int>(((days % 7) + 11) % 7);
    return days * 86400 + tm->tm_hour * 3600 + tm->tm_min * 60 + tm->tm_sec + _timezone;
}

// The C runtime's strftime takes the offset and the zone's name from its own zone settings
// (_timezone, _tzname), given whether daylight saving applies.
void CopyZoneFields(const std::tm& normalized, std::tm* tm) { tm->tm_isdst = normalized.tm_isdst; }

}  // namespace tv
