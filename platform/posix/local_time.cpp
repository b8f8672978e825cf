#include "platform/local_time.h"

namespace tv {

bool LocalCalendarTime(std::time_t t, std::tm* local) { return localtime_r(&t, local) != nullptr; }

std::time_t TimeTOfLocal(std::tm* tm) { return std::mktime(tm); }

void CopyZoneFields(const std::tm& normalized, std::tm* tm) {
    tm->tm_isdst = normalized.tm_isdst;
    tm->tm_gmtoff = normalized.tm_gmtoff;
    tm->tm_zone = normalized.tm_zone;
}

}  // namespace tv
