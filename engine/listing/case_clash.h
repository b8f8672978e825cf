// Source files that a destination folding case cannot hold beside another: two names of one
// folder that differ only in case lead there to one entry, which the earlier one's copy holds.
#pragma once

#include "engine/job/copy_job.h"

namespace tv {

class RunContext;
struct ListedFile;

// True when the listed file, which the rules let through, has a name that folds together with an
// earlier entry's of its folder and its destination folder finds that name only by folding case:
// the file is then logged "エラー", counted among the files the destination cannot hold, and not
// copied, so that it never takes the earlier entry's copy. Files the listing did not note cost
// nothing here.
bool PassesOverCaseClash(const CopyJob& job, RunContext& context, const ListedFile& listed);

}  // namespace tv
