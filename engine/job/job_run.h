// One run of a job, from the listing to the deletion of extras, on the calling thread. The
// worker thread calls it; tests call it directly. What the run reports goes to the context's
// outcome.
#pragma once

#include "engine/job/copy_job.h"

namespace tv {

class RunContext;

// Ends the run at once, with an error line and HadError, when the destination is the source or
// a folder above it. Lists the source; when it listed files and the worker was not stopped, reports
// the total and runs the copy pass; then, in mirror runs with the plain or drive layout whose pass
// ended in a copy or a skip, deletes the extras. Closes the log store. Returns 0 when nothing was
// listed, the walk failed or the worker was stopped before the pass; else the pass result
// (a FileResult value).
int RunJob(const CopyJob& job, RunContext& context);

}  // namespace tv
