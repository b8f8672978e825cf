// When the interval runs are next due. Only the hour and minute of a next time are compared
// with the clock; the date matters only to tell whether a next time has passed.
#pragma once

#include "platform/date_time.h"
#include "settings/settings_record.h"

namespace tv {

// Why a next time is computed: after a run or a change of the settings, or because the user
// was busy at the minute a run was due.
enum class Postponement { None, UserBusy };

// The drive unit waits 5 minutes after start-up until its first runs are done (armed); from
// then on it waits one SyncInterval. A run the busy user held back waits NoIdleTime minutes
// instead when NoIdleSync asks for it.
DateTime NextDriveUnitTime(const DateTime& now, const SettingsRecord& settings, bool driveUnitArmed,
                           Postponement postponement = Postponement::None);
// The file/directory unit waits one MirrorInterval, from start-up on; held back by a busy
// user, NoIdleTime minutes when NoIdleMirror asks for it.
DateTime NextFileDirTime(const DateTime& now, const SettingsRecord& settings,
                         Postponement postponement = Postponement::None);

// A valid interval of 00:00, which means that the unit has no interval.
bool IsNoInterval(const DateTime& interval);

}  // namespace tv
