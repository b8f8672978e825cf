// Mirror deletion: what the destination has and the source no longer has goes to the trash,
// each removal logged ("削除", "マスターになし", "ゴミ箱に移動").
#pragma once

#include "engine/job/copy_job.h"

namespace tv {

class RunContext;

// Every file at the top of the destination that the source lacks is removed; a destination
// folder whose source folder is gone is emptied entry by entry (each logged), then removed
// and logged with a trailing separator. Folders present on both sides are not looked into,
// and nothing is removed for an excluded source folder. On a destination that folds case, an
// entry that the source has under another case of its name is that entry's copy: it is
// renamed to the source's spelling (a folder with everything in it), never removed. Before
// each folder it looks into and each removal the source root must still be the object it was
// when the run started (device and inode): a source that vanished during the run (a medium
// pulled, leaving its mount point with whatever that holds; a share gone; a root replaced)
// stops the deletion with HadError instead of emptying the destination. What would go is
// gathered first, so that a deletion of most of the destination can be held back (see
// mass_deletion_guard.h). A stop ends it where it is.
void RunMirrorDeletion(const CopyJob& job, RunContext& context);

}  // namespace tv
