// The guard against a mirror deletion that would empty most of a backup. A source that looks
// emptied by accident (a wrong folder, a medium that mounted empty, a share that shows nothing)
// must not wipe the destination unasked; deleting much on purpose stays the user's right.
#pragma once

#include <cstddef>
#include <string>

#include "engine/job/copy_job.h"

namespace tv {

class RunContext;

// A deletion of more than this many entries may be held back...
inline constexpr size_t kMassDeletionMinimum = 50;

// ...when it would move more than half of what the destination holds: the entries to remove
// and the copies of the listed source files, which the pass has just made or found in place.
bool IsMassDeletion(size_t removals, size_t listedFiles);

// The question a manual run asks before such a deletion.
std::string MassDeletionQuestion(size_t removals);
inline constexpr const char* kMassDeletionCaption = "確認";
// The source field of the log line of a deletion held back.
std::string MassDeletionLogText(size_t removals);

// Whether the run may move these removals to the trash. A deletion that is no mass deletion
// may. A manual run (a job that asks, with the runner's prompts to ask) asks, and Yes lets it; an
// answer of No keeps everything, logged as stopped. An unattended run keeps everything, logs it
// as an error, sets HadError and leaves the count in MassDeletionHeld for the runner to tell the
// user.
bool MayRemove(const CopyJob& job, RunContext& context, size_t removals);

}  // namespace tv
