// Which files a run lists and copies. Every rule reads only the job and the file system; none
// changes anything. The forms over a FileStatus let the copy pass read each file once.
#pragma once

#include <string>

#include "engine/job/copy_job.h"
#include "platform/file_system.h"

namespace tv {

// ASCII letters upper-cased; other bytes (multi-byte characters) are left alone.
std::string UpperAscii(std::string text);

// The text after the last '.' of the whole path, upper-cased (ASCII letters only); the whole
// path when it has no '.', and "" when its only '.' is the first character.
std::string ExtensionOfPath(const std::string& path);

// The list is given and holds text exactly.
bool ListContains(const StringList* list, const std::string& text);

// The extension rule: the target list only overrides an entry of the excluded list.
bool IsTransferTarget(const CopyJob& job, const std::string& source);

// True when the copy still carries the marker time of a copy not yet known to be durable
// (pending_copies.h), as any file system reads it back: such a copy is always made again.
bool CarriesMarker(const FileStatus& copy);

// True when the file must not be copied for its time stamp: the source is not at least
// IgnorTime seconds newer than its copy. Never with ForceOverWrite, without a copy or with a
// copy that carries the marker.
bool IsDestinationNewer(const CopyJob& job, const std::string& source,
                        const std::string& destination);
bool IsDestinationNewer(const CopyJob& job, const FileStatus& source,
                        const FileStatus* destination);

// With CheckSize and an existing copy that does not carry the marker: the two sizes are equal.
bool IsSameSize(const CopyJob& job, const std::string& source, const std::string& destination);
bool IsSameSize(const CopyJob& job, const FileStatus& source, const FileStatus* destination);

// The time-stamp or the size rule passes the file over: its copy is not older, or as large.
bool IsPassedOverForTimeOrSize(const CopyJob& job, const FileStatus& source,
                               const FileStatus* destination);

bool IsExcludedReadOnly(const CopyJob& job, const std::string& source);
bool IsExcludedReadOnly(const CopyJob& job, const FileStatus& source);
bool IsExcludedHidden(const CopyJob& job, const std::string& source);
bool IsExcludedHidden(const CopyJob& job, const FileStatus& source);

// With ExceptDateFlag: the local calendar date of the last write lies before the reference
// date (times of day are not compared; an invalid reference excludes nothing).
bool IsOlderThanReference(const CopyJob& job, const std::string& source);
bool IsOlderThanReference(const CopyJob& job, const FileStatus& source);

// The rules that look at the source file alone: its extension, its read-only and hidden
// attributes and its date. What they refuse is never copied, whatever the destination holds.
bool IsSelectedSource(const CopyJob& job, const std::string& source, const FileStatus& status);

// The folder equals an excluded folder, or lies inside one when ExceptSubFolder is set. The
// comparison is exact and includes a trailing separator, so ".../database" is not ".../data".
bool IsExcludedFolder(const CopyJob& job, const std::string& folder);

// The prefilter of the copy pass for a file and its plain-layout destination: a missing copy
// always passes; an existing one passes only when every rule lets it. In a full backup the
// time-stamp and size rules hold no copy back: the copy step compares it by content instead.
bool NeedsCopy(const CopyJob& job, const std::string& source, const std::string& destination);
// The same for statuses read before (copy: null when there is none).
bool NeedsCopy(const CopyJob& job, const std::string& source, const FileStatus& sourceStatus,
               const FileStatus* copy);

}  // namespace tv
