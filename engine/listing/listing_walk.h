// The listing walk: every file of the source tree that the run will consider, depth-first in
// file-system order, into the run context's file list.
#pragma once

#include "engine/job/copy_job.h"

namespace tv {

class CopyLookahead;
class RunContext;

// False when the source cannot be enumerated or the worker is stopped; then the run copies
// nothing. Excluded folders are not entered (nor, in file/directory runs, are their files
// listed) and files older than the reference date are left out. Symbolic links go to the
// context's link list in the plain layout. What the backup does not hold is passed over with a
// "スキップ" line (pipes, sockets, devices, links in the dated and extension layouts, temporary
// files of unfinished copies); what could not be read with an "エラー" line and HadError (a
// folder that cannot be listed, an entry whose status cannot be read, a path too long for the
// system). A drive's walk stays on its volume; a folder's walk enters what is mounted below it.
// Each listed file is handed to lookahead as it is listed.
bool ListSourceFiles(const CopyJob& job, RunContext& context, CopyLookahead& lookahead);

}  // namespace tv
