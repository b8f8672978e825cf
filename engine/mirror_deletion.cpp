#include "engine/mirror_deletion.h"

#include <string>

#include "engine/leftover_copies.h"
#include "engine/run_context.h"
#include "engine/selection_rules.h"
#include "engine/step_log.h"
#include "platform/file_system.h"
#include "platform/node_identity.h"
#include "platform/paths.h"

namespace tv {

namespace {

// A trash folder on the destination volume is the trash's own: removing it into itself
// would never end.
bool IsTrashFolderName(const std::string& name) {
    return name == ".Trash" || name.compare(0, 7, ".Trash-") == 0;
}

// The source root must still be the file system object the run started from. A root that is
// gone, replaced, or now the mount point left behind by a medium pulled out (which may well hold
// a stray file of its own) means the source vanished, not that every copy became an extra.
bool SourceIsStillThere(const RunContext& context, const std::string& root) {
    NodeIdentity identity;
    return context.sourceRoot() && GetNodeIdentity(root, &identity) &&
           identity == *context.sourceRoot();
}

class MirrorDeletion {
  public:
    MirrorDeletion(CopyJob& job, RunContext& context) : job_(job), context_(context) {}

    // False once the deletion must stop.
    bool Delete(const std::string& sourceFolder, const std::string& destinationFolder) {
        if (!SourceStillThere()) return false;
        DirectoryEnumerator entries;
        if (!entries.Open(destinationFolder)) return true;
        const bool sourceExcluded = IsExcludedFolder(job_, sourceFolder);
        FileStatus entry;
        while (entries.Next(&entry)) {
            if (!context_.IsActive()) return false;
            context_.WaitForIdle(job_);
            if (!DeleteEntry(sourceFolder, destinationFolder, entry, sourceExcluded)) {
                return false;
            }
            context_.PauseAfterFile();
        }
        return true;
    }

  private:
    bool DeleteEntry(const std::string& sourceFolder, const std::string& destinationFolder,
                     const FileStatus& entry, bool sourceExcluded) {
        const std::string source = JoinPath(sourceFolder, entry.name);
        const std::string destination = JoinPath(destinationFolder, entry.name);
        if (entry.IsDirectory()) {
            if (IsTrashFolderName(entry.name) || IsExcludedFolder(job_, source) ||
                PathExists(source)) {
                return true;
            }
            return Delete(source, destination) &&
                   Remove(destination, WithTrailingSeparator(destination));
        }
        // An unfinished copy of a crashed run is no extra of the source's and is not trashed.
        if (IsTemporaryCopyName(entry.name)) {
            RemoveLeftoverCopy(destination);
            return true;
        }
        if (sourceExcluded || PathExists(source)) return true;
        return Remove(destination, destination);
    }

    bool Remove(const std::string& path, const std::string& loggedPath) {
        if (!SourceStillThere()) return false;
        const bool trashed = MoveToTrash(path);
        if (!trashed) job_.HadError = 1;
        if (job_.LogRecord) {
            FillStep(job_.LogRecord, context_.clock(), kLogActionDeleted, kLogSourceNotInMaster,
                     loggedPath);
            FinishStep(job_, context_, trashed ? kLogResultTrashed : kLogResultError);
        }
        return true;
    }

    // A vanished source stops the deletion, and is an error of the run.
    bool SourceStillThere() {
        if (SourceIsStillThere(context_, job_.Source)) return true;
        job_.HadError = 1;
        return false;
    }

    CopyJob& job_;
    RunContext& context_;
};

}  // namespace

void RunMirrorDeletion(CopyJob& job, RunContext& context) {
    MirrorDeletion(job, context).Delete(job.Source, job.Destination);
}

}  // namespace tv
