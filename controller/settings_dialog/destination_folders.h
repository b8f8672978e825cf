// The destinations of a record as the destination browser lists them, in three groups: the
// drive unit's, the file/directory unit's and those of the removable drives, A to Z. Each
// folder is looked at once, a share being connected for the look with the stored credentials
// and disconnected afterwards when the look connected it.
#pragma once

#include <string>
#include <vector>

#include "platform/share_mounter.h"
#include "settings/settings_record.h"

namespace tv {

struct DestinationFolder {
    std::string path;
    // The folder was looked at and is there; false as well for a share that could not be
    // connected, which is listed without looking.
    bool exists = false;
};

struct DestinationGroup {
    const char* label;
    std::vector<DestinationFolder> folders;
};

// An empty destination is no folder and is left out. record: its credentials serve the shares.
std::vector<DestinationGroup> LookAtDestinations(SettingsRecord& record, ShareMounter& mounter);

}  // namespace tv
