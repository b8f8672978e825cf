#include "engine/folder_creation.h"

#include <vector>

#include "engine/run_context.h"
#include "engine/step_log.h"
#include "platform/file_system.h"
#include "platform/paths.h"

namespace tv {

namespace {

// Where the first level that may be created ends: after the share of a network path.
size_t FirstLevelEnd(const std::string& path) {
    if (!IsNetworkPath(path)) return path.find(kSeparator, 1);
    const size_t afterServer = path.find(kSeparator, 2);
    if (afterServer == std::string::npos) return std::string::npos;
    return path.find(kSeparator, afterServer + 1);
}

// Every prefix that ends before a separator, then the whole path.
std::vector<std::string> LevelsOf(const std::string& folder) {
    std::string path = folder;
    while (path.size() > 1 && EndsWithSeparator(path)) path.pop_back();
    std::vector<std::string> levels;
    for (size_t end = FirstLevelEnd(path); end != std::string::npos;
         end = path.find(kSeparator, end + 1)) {
        levels.push_back(path.substr(0, end));
    }
    levels.push_back(path);
    return levels;
}

}  // namespace

bool CreateDestinationFolder(CopyJob& job, RunContext& context, const std::string& folder,
                             const std::string& sourceFolder) {
    // Most files go to a folder that exists already: one look settles it.
    if (IsDirectory(folder)) return true;
    for (const std::string& level : LevelsOf(folder)) {
        if (level.empty() || IsDirectory(level)) continue;
        if (job.LogRecord) {
            FillStep(job.LogRecord, context.clock(), kLogActionFolderCreated, sourceFolder, level);
        }
        const bool created = CreateFolder(level);
        if (job.LogRecord) FinishStep(job, context, created ? kLogResultOk : kLogResultError);
        if (!created) {
            job.HadError = 1;
            return false;
        }
    }
    return true;
}

}  // namespace tv
