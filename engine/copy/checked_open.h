// Opening a file of the run for reading without being led elsewhere: a symbolic link, a
// folder or a device in its place is refused.
#pragma once

#include <string>

#include "platform/file_system.h"

namespace tv {

// Opens a regular file exclusively for sequential reading, without following a link.
// identity: the opened file.
bool OpenRegularFileNoFollow(const std::string& path, File* file, FileIdentity* identity);

// OpenRegularFileNoFollow of a file the listing of the source root saw as listed. What opens
// must be that file, or else be found in its folder with no symbolic link on the way from root:
// a file saved over since is read as it is now, but a folder on the way that was swapped for a
// link since the listing leads nowhere.
bool OpenListedFile(const std::string& root, const std::string& path, const NodeIdentity& listed,
                    File* file, FileIdentity* identity);

// Whether the name still shows the opened file, with nothing of it changed.
bool HeldStill(const std::string& path, const FileIdentity& opened);

}  // namespace tv
