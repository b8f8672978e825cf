// Opening a file of the run for reading without being led elsewhere: a symbolic link, or
// another file put in its place between looking at its name and opening it, is refused.
#pragma once

#include <string>

#include "platform/file_system.h"

namespace tv {

// Opens a regular file exclusively for sequential reading, without following a link, and only
// when what is opened is the file its name showed a moment before. identity: the opened file.
bool OpenRegularFileNoFollow(const std::string& path, File* file, FileIdentity* identity);

// Whether the name still shows the opened file, with nothing of it changed.
bool HeldStill(const std::string& path, const FileIdentity& opened);

}  // namespace tv
