// The copy of one file that the rules let through: free-space check, exclusive sequential
// opens, a buffered loop paced by the job's load control, and the source's times and
// attributes applied to the copy.
//
// The data goes into a temporary file beside the destination, which replaces the destination
// only once it is complete and durable, so a stop, a read or write error or a crash never
// leaves a truncated file where the previous copy was. Within a copy pass the finished copy
// waits under its temporary name for the batch's sync; elsewhere a copy that replaces an
// earlier one is synced first, and a new copy takes the marker time instead of its source's
// until the run has made it durable (see pending_copies.h).
#pragma once

#include <cstdint>
#include <string>

#include "engine/durability/settled_copy.h"
#include "engine/job/copy_job.h"
#include "engine/job/file_result.h"

namespace tv {

class RunContext;
struct NodeIdentity;

// Holds the run's copy buffer for as long as it lives, unless one is held already.
class CopyBufferLease {
  public:
    CopyBufferLease(RunContext& context, int32_t bufferSize);
    ~CopyBufferLease();
    CopyBufferLease(const CopyBufferLease&) = delete;
    CopyBufferLease& operator=(const CopyBufferLease&) = delete;

  private:
    RunContext& context_;
    bool allocated_ = false;
};

// Copied, Cancelled (the worker was stopped), OpenError (a file could not be opened or read,
// the copy could not take the destination's place, or the destination's file system cannot hold
// a file that large, which the outcome's Unstorable counts) or DiskFull (too little free space,
// or a write failed). notify: tell the window of the finished file. listed: the file the listing
// of the job's source saw at source; no other file is read in its place (see OpenListedFile).
// settled, when given: a Copied copy that waits for the run's next sync takes it, emptying it,
// and it is told once the copy is known to be in place and durable, or not.
FileResult CopyFileContents(const CopyJob& job, RunContext& context, const std::string& source,
                            const std::string& destination, bool notify,
                            const NodeIdentity* listed = nullptr, CopySettled* settled = nullptr);

}  // namespace tv
