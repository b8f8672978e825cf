// File attributes of the identity files, kept as the program keeps attributes everywhere: the
// real DOS attributes on a FAT file system; elsewhere read-only is the absence of write bits,
// and hidden belongs to names starting with "." (so setting it on other names changes
// nothing). A read-only file is never opened for writing, even by root, as on Windows.
#pragma once

#include <string>

namespace tv::cardprobe {

// Makes the open regular file hidden and read-only.
bool SetHiddenReadOnly(int fd);

// Gives the regular file at path the normal attributes (writable, not hidden). False when it
// is not a regular file or the change is refused.
bool SetNormal(const std::string& path);

// True when something exists at path that may not be opened for writing: a read-only file,
// or anything that is not a regular file.
bool RefusesWriting(const std::string& path);

}  // namespace tv::cardprobe
