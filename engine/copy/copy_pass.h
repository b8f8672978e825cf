// The copy pass: every listed file, in list order, placed in the job's destination layout.
#pragma once

#include "engine/job/copy_job.h"
#include "engine/job/file_result.h"

namespace tv {

class CopyLookahead;
class RunContext;

// Copies the run context's listed files, then its listed links as links. A file whose
// plain-layout copy needs nothing is passed over silently (dated and extension layouts pass
// every file); so is one whose copy lookahead saw needing nothing. Stops at the first DiskFull or
// Cancelled, and with Cancelled as soon as the worker is stopped. Returns the result of the last
// file that reached the copy step, Copied when none, or Cancelled when stopped among the links.
FileResult RunCopyPass(const CopyJob& job, RunContext& context, CopyLookahead& lookahead);

}  // namespace tv
