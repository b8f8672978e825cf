// Connecting and disconnecting the share of a network destination before and after a run.
#pragma once

#include <string>

#include "platform/prompts.h"
#include "platform/share_mounter.h"
#include "settings/settings_record.h"

namespace tv {

// "//server/share" of a destination "//server/share/folder...": the first two components
// after the two leading separators; empty when the destination names no share.
std::string ShareName(const std::string& destination);

// Tries the current logon, the pair User1/Pass1, the pair User2/Pass2 and last the password
// prompt; a pair entered at the prompt is kept in record. Returns 0 when connected now, 1 when
// the share was connected already, -1 when not connected (told the user unless unreachable).
int ConnectDestination(SettingsRecord& record, const std::string& destination,
                       ShareMounter& mounter, Prompts& prompts);

// Returns 0, or -1 when the share could not be disconnected (no message).
int DisconnectDestination(const std::string& destination, ShareMounter& mounter);

}  // namespace tv
