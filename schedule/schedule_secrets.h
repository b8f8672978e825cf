// The share accounts of the schedules in the desktop's secret store. "sch.dat" gives an entry
// nothing that is both stable and unique: names may repeat and places move when an entry
// before is removed. So a schedule's secrets are keyed by its place and its name as the file
// and the store were last written together: on every save the store's schedule secrets are
// replaced whole, and an entry of an older or foreign copy of the file, whose name does not
// match at its place, finds nothing rather than another schedule's account.
#pragma once

#include <vector>

#include "platform/secret_store.h"
#include "schedule/schedule_entry.h"

namespace tv {

// What the file is to hold for the entries: each a copy whose credentials are empty where the
// store took them.
std::vector<ScheduleEntry> KeepScheduleAccounts(SecretStore& store,
                                                const std::vector<ScheduleEntry>& entries);
// Fills the credentials the file left empty from the store.
void TakeScheduleAccounts(SecretStore& store, std::vector<ScheduleEntry>& entries);

}  // namespace tv
