// Opening a file of the run for reading without being led elsewhere: a symbolic link, a
// folder or a device in its place is refused.
#pragma once

#include <string>

#include "platform/file_system.h"

namespace tv {

// Opens a regular file exclusively for sequential reading, without following a link.
// identity: the opened file.
bool OpenRegularFileNoFollow(const std::string& path, File* file, FileIdentity* identity);

// Whether the name still shows the opened file, with nothing of it changed.
bool HeldStill(const std::string& path, const FileIdentity& opened);

}  // namespace tv
