// Where the program keeps its drive table on Linux.
#pragma once

#include <string>

namespace tv::cardprobe {

// $XDG_CONFIG_HOME/OstrelSystem/drives.tsv, else ~/.config/OstrelSystem/drives.tsv with the home
// folder from HOME or the user database; empty when no absolute folder is known.
std::string DefaultDriveFilePath();

}  // namespace tv::cardprobe
