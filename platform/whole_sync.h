// Whether a sync of a whole file system (SyncFileSystemOf) writes out what was written to it.
// The kernel answers that sync by itself for file systems it does not hold: those a process of
// their own serves (FUSE: the drivers of NTFS, exFAT and FAT media, the desktop's folder for
// network shares) and network file systems (SMB, NFS). A sync of one file or one folder reaches
// them.
#pragma once

#include <string>

namespace tv {

// False as well when the folder cannot be looked at: whatever is written there is then synced
// file by file, which reaches any file system.
bool WholeSyncReaches(const std::string& folder);

}  // namespace tv
