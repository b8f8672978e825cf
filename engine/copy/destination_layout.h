// Where a source file goes in the destination: the plain tree of a file/directory run, the
// drive image of a whole-volume run, dated folders, and folders per extension by generation.
#pragma once

#include <ctime>
#include <string>

#include "engine/job/copy_job.h"

namespace tv {

class DriveTable;
struct NameRefusals;

// FileDir: Destination + the part of the path after Source. Whole volumes: Destination + the
// path with its drive root removed (one leading separator kept); Destination alone for the
// root itself. A path on no known drive is taken relative to Source. Never above Destination:
// a path whose ".." would lead there goes into Destination under its own name.
std::string PlainDestination(const CopyJob& job, const DriveTable& drives,
                             const std::string& source);

// PlainDestination as the destination's file system holds it: every name below Destination
// stored mapped.
std::string StoredPlainDestination(const CopyJob& job, const DriveTable& drives,
                                   const NameRefusals& refusals, const std::string& source);

// Destination + the local date of the last write as "%Y年%m月%d日".
std::string DatedFolder(const CopyJob& job, std::time_t lastWrite);

// The upper-cased text after the last '.' of a file name, or "拡張子なし" without one.
std::string ExtensionFolderKey(const std::string& fileName);
// Destination + "EXTフォルダ": where the newest copy of a file goes.
std::string CurrentGenerationFolder(const CopyJob& job, const std::string& fileName);
// Destination + "N世代前EXTフォルダ": the N-th older copy (N counts from 1).
std::string OlderGenerationFolder(const CopyJob& job, int generation, const std::string& fileName);

}  // namespace tv
