// When the interval runs are next due. Only the hour and minute of a next time are compared
// with the clock; the date matters only to tell whether a next time has passed.
#pragma once

#include "platform/date_time.h"
#include "settings/settings_record.h"

namespace tv {

// The drive unit waits 5 minutes after start-up until its first runs are done (armed); from
// then on it waits one SyncInterval.
DateTime NextDriveUnitTime(const DateTime& now, const SettingsRecord& settings,
                           bool driveUnitArmed);
// The file/directory unit waits one MirrorInterval, from start-up on.
DateTime NextFileDirTime(const DateTime& now, const SettingsRecord& settings);

// A valid interval of 00:00, which means that the unit has no interval.
bool IsNoInterval(const DateTime& interval);

}  // namespace tv
