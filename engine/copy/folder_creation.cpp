#include "engine/copy/folder_creation.h"

#include <vector>

#include "engine/job/run_context.h"
#include "engine/job/step_log.h"
#include "platform/file_system.h"
#include "platform/name_mapping.h"
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
    const std::string path = WithoutTrailingSeparators(folder);
    std::vector<std::string> levels;
    for (size_t end = FirstLevelEnd(path); end != std::string::npos;
         end = path.find(kSeparator, end + 1)) {
        levels.push_back(path.substr(0, end));
    }
    levels.push_back(path);
    return levels;
}

size_t CountSeparatorsAfter(const std::string& path, size_t position) {
    size_t count = 0;
    for (size_t i = position; i < path.size(); ++i) count += path[i] == kSeparator;
    return count;
}

// The source folder that a created level of the plain tree copies: sourceFolder with as many
// levels taken off as the level lies above folder. Empty for the destination root and what
// lies above it, and for whatever would lie at or above the source root.
std::string SourceOfLevel(const CopyJob& job, const std::string& level, const std::string& folder,
                          const std::string& sourceFolder) {
    if (level.size() <= WithoutTrailingSeparators(job.Destination).size()) return {};
    std::string source = WithoutTrailingSeparators(sourceFolder);
    for (size_t up = CountSeparatorsAfter(folder, level.size()); up > 0; --up) {
        source = BeforeLastSeparator(source);
    }
    if (source.size() <= WithoutTrailingSeparators(job.Source).size()) return {};
    return source;
}

bool CreateLevel(const CopyJob& job, const std::string& level, const std::string& folder,
                 const std::string& sourceFolder, FolderLevels levels) {
    const std::string model = levels == FolderLevels::MirrorSource
                                  ? SourceOfLevel(job, level, folder, sourceFolder)
                                  : std::string();
    return model.empty() ? CreateFolder(level) : CreateFolderLike(level, model);
}

}  // namespace

bool CreateDestinationFolder(const CopyJob& job, RunContext& context, const std::string& folder,
                             const std::string& sourceFolder, FolderLevels levels) {
    // Most files go to the folder the file before went to, or one that exists already.
    if (context.IsFolderMadeSure(folder)) return true;
    context.NoteVisitedFolder(folder);
    if (IsDirectory(folder)) {
        context.NoteFolderMadeSure(folder);
        return true;
    }
    // A folder made anew is no folder held open before.
    context.NoteFolderMadeSure({});
    for (const std::string& level : LevelsOf(folder)) {
        if (level.empty() || IsDirectory(level)) continue;
        // A level whose name the destination refuses is not tried: the line of each file that
        // needed it says why.
        if (!CanHoldPathBelow(job.Destination, level, context.nameRefusals())) return false;
        if (context.logLine()) {
            FillStep(context.logLine(), context.clock(), kLogActionFolderCreated, sourceFolder,
                     ShownDestination(job, context, level));
        }
        const bool created = CreateLevel(job, level, folder, sourceFolder, levels);
        if (context.logLine()) FinishStep(context, created ? kLogResultOk : kLogResultError);
        if (!created) {
            context.NoteError();
            return false;
        }
        context.NoteFolderMade(level);
    }
    context.NoteFolderMadeSure(folder, true);
    return true;
}

}  // namespace tv
