// Folders per extension with generations: the newest copy of a file lies in "EXTフォルダ",
// the older ones in "1世代前EXTフォルダ", "2世代前EXTフォルダ" … Each change of the source
// adds one generation.
#pragma once

#include <string>

#include "engine/job/copy_job.h"
#include "engine/job/file_result.h"

namespace tv {

class RunContext;
struct NodeIdentity;

// Finds every copy of the file's name in the destination tree (a copy equal in time and size
// to one already found is a duplicate and is left out), orders them oldest first by last
// write (ties by path, the source last), and moves each one generation up, the source into
// the current folder. A copy already in its place is left alone. Returns the result of the
// last copy, or at once a DiskFull or Cancelled one, or the OpenError of an older copy that
// could not move up (the rest waits for the next run rather than overwrite it).
// listed: the file the listing saw at source.
FileResult PlaceInExtensionFolders(const CopyJob& job, RunContext& context,
                                   const std::string& source, const NodeIdentity& listed);

}  // namespace tv
