// Network paths "//server/share/rest" are named as Windows names them everywhere in the
// program; every file call of the platform passes its paths through ToLocalPath, which gives
// the path the system's own file calls take. Where shares are reached through the local folder
// in which the network file system client shows a mounted share, that is the same path below
// the share's folder.
#pragma once

#include <string>

namespace tv {

// A local path comes back as it is. A network path on a mounted share becomes the same path
// below the share's local folder; any other network path becomes "", on which every file call
// fails as on a missing path. The folder of a share is looked up once and then remembered.
std::string ToLocalPath(const std::string& path);
// Drops what is remembered of the share of a network path (after it was unmounted).
void ForgetLocalFolder(const std::string& path);

}  // namespace tv
