// Network paths "//server/share/rest" reach the system through the local folder in which the
// network file system client shows a mounted share (its FUSE folder). Every file call of the
// platform passes its paths through ToLocalPath, so the rest of the program names shares as
// Windows does and works on them with plain file calls.
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
