// The decision for one file that reached the copy step, and its log line.
#pragma once

#include <string>

#include "engine/copy_job.h"
#include "engine/file_result.h"

namespace tv {

class RunContext;

// Stops at once when the worker is stopped; waits for an idle machine; in file/directory runs
// tests the extension, time-stamp, size, read-only and hidden rules, in every run the
// reference date, each with its message; otherwise copies. A full backup compares a file that
// the time-stamp or size rule would pass over with its copy, and copies it again only when
// their bytes differ. notify: show the file and step the progress.
FileResult CopyOneFile(CopyJob& job, RunContext& context, const std::string& source,
                       const std::string& destination, bool notify);

// CopyOneFile with the file's log line ("ファイル作成" and the result word); an open error is
// counted and, like a full disk, sets HadError.
FileResult CopyAndLog(CopyJob& job, RunContext& context, const std::string& source,
                      const std::string& destination);

}  // namespace tv
