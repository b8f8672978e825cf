// The decision for one file that reached the copy step, and its log line.
#pragma once

#include <string>

#include "engine/durability/settled_copy.h"
#include "engine/job/copy_job.h"
#include "engine/job/file_result.h"

namespace tv {

class RunContext;
struct FileStatus;
struct NodeIdentity;

// What the copy pass has read already, so that the decision does not read it again: the source
// as the listing read it and, when it was looked at, its copy.
struct KnownStatuses {
    const FileStatus* source = nullptr;  // null: read now
    bool copyLooked = false;             // copy below is the reading (null: there is none)
    const FileStatus* copy = nullptr;
    const NodeIdentity* listed = nullptr;  // the file the listing saw: no other is copied
};

// Stops at once when the worker is stopped; waits for an idle machine; in file/directory runs
// tests the extension, time-stamp, size, read-only and hidden rules, in every run the
// reference date, each with its message; otherwise copies. A full backup compares a file that
// the time-stamp or size rule would pass over with its copy, and copies it again only when
// their bytes differ. notify: show the file and step the progress. What known holds is not
// read again, unless a copy of this run that it concerns has taken its times since. settled: as
// CopyFileContents takes it.
FileResult CopyOneFile(const CopyJob& job, RunContext& context, const std::string& source,
                       const std::string& destination, bool notify, const KnownStatuses& known = {},
                       CopySettled* settled = nullptr);

// CopyOneFile with the file's log line ("ファイル作成" and the result word); an open error is
// counted and, like a full disk, sets HadError. A copy that waits for the run's next sync is
// logged once that tells whether it is in place and durable: "ＯＫ", or else "エラー", which
// sets HadError; its line keeps the time the copy started.
FileResult CopyAndLog(const CopyJob& job, RunContext& context, const std::string& source,
                      const std::string& destination, const KnownStatuses& known = {});

}  // namespace tv
