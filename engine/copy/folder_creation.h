// Creating a destination folder level by level, each created level logged.
#pragma once

#include <string>

#include "engine/job/copy_job.h"

namespace tv {

class RunContext;

// Whether the folder mirrors sourceFolder level for level (the plain tree), so that each level
// created takes the permissions and owner of its source folder; dated and extension folders
// have no source folder of their own.
enum class FolderLevels { OwnLevels, MirrorSource };

// Creates every missing level of folder, from the left; a network path starts at its share.
// Each level created is logged "ＯＫ"; a level that cannot be created is logged "エラー", sets
// HadError and ends the attempt (false). sourceFolder fills the log line's source field.
bool CreateDestinationFolder(const CopyJob& job, RunContext& context, const std::string& folder,
                             const std::string& sourceFolder,
                             FolderLevels levels = FolderLevels::OwnLevels);

}  // namespace tv
