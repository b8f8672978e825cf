// The comparison of a file with its copy, byte by byte, that a full backup makes where times
// and sizes would pass the file over. Both are opened as a copy opens its source, read in the
// run's buffer, paced by the job's load control and held back by the idle wait like a copy.
#pragma once

#include <string>

#include "engine/job/copy_job.h"

namespace tv {

class RunContext;

enum class ContentVerdict {
    Same,        // every byte equal, and the source held still while it was read
    Different,   // the copy must be made again
    Unreadable,  // the source or the copy could not be opened or read, or a link leads to it
    Stopped,     // the worker was stopped
};

ContentVerdict CompareWithCopy(const CopyJob& job, RunContext& context, const std::string& source,
                               const std::string& copy);

}  // namespace tv
