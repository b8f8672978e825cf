// The copy of a symbolic link: made again as a link with the same target in the destination,
// never followed on either side, so a backup holds the link as the source does and never what
// it happens to point at (which may lie outside the source, or be the source itself).
#pragma once

#include <string>

#include "engine/job/copy_job.h"
#include "engine/job/file_result.h"

namespace tv {

class RunContext;

// Copied, with its log line, when the link was made or replaced an older copy; SkippedNotNewer,
// without a line, when the destination holds the same link already; SkippedByRule ("スキップ")
// when the destination's file system holds no links; OpenError ("エラー", HadError) when the
// link could not be read or made, or a folder or a link on the way stands in its place.
FileResult CopyLinkAndLog(const CopyJob& job, RunContext& context, const std::string& source,
                          const std::string& destination);

}  // namespace tv
