// Temporary files of copies that never finished. A copy is written under a hidden temporary
// name beside its destination and renamed into place when complete; a crash, a kill or a power
// loss in between leaves the temporary file behind. A run removes every such file from a
// destination folder before its first copy into it, and a completed run from every destination
// folder it visited. A copy still being written holds a lock on its
// temporary file, and that file is left alone.
#pragma once

#include <string>

namespace tv {

class OpenFolder;
class RunContext;

inline constexpr const char* kTemporaryCopyPrefix = ".tvpart-";

bool IsTemporaryCopyName(const std::string& name);
// A new name of that form.
std::string NewTemporaryCopyName();
// A new temporary name in the folder of destination, of fixed length, so that a long
// destination name does not make it too long.
std::string TemporaryCopyPathBeside(const std::string& destination);

// Removes path when it is a temporary copy file that no copy holds locked, read-only or not,
// the temporary link of a link copy, or the folder of a probe of the destination's names (see
// name_refusals.h); true when it was removed.
bool RemoveLeftoverCopy(const std::string& path);
// RemoveLeftoverCopy of the entry name of a folder held open, reached through that folder only.
bool RemoveLeftoverCopyIn(const OpenFolder& folder, const std::string& name);

// Every leftover temporary file of the folders the run has visited and not made itself.
void RemoveLeftoverCopies(const RunContext& context);
// Every leftover temporary file of a destination folder held open, the first time in a run that
// a copy is about to be written into it, unless the run made it: leftovers of killed runs do
// not pile up when no run gets to its end.
void RemoveLeftoverCopiesBeforeCopying(RunContext& context, const OpenFolder& folder);

}  // namespace tv
