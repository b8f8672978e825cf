// The listing walk: every file of the source tree that the run will consider, depth-first in
// file-system order, into the run context's file list.
#pragma once

#include "engine/copy_job.h"

namespace tv {

class RunContext;

// False when the source cannot be enumerated or the worker is stopped; then the run copies
// nothing. Excluded folders are not entered (nor, in file/directory runs, are their files
// listed) and files older than the reference date are left out. The folder walk reports no
// links and no roots of other mounts, so a walk stays on its source's file system.
bool ListSourceFiles(CopyJob& job, RunContext& context);

}  // namespace tv
