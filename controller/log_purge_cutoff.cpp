#include "controller/log_purge_cutoff.h"

#include "settings/stored_units.h"

namespace tv {

std::string LogPurgeCutoff(const DateTime& today, const DateTime& beforeLogDate) {
    const int32_t days = DayCountOf(beforeLogDate);
    if (days < 1 || !today.IsValid()) return "";
    return (today - static_cast<double>(days)).Format("%Y/%m/%d");
}

}  // namespace tv
