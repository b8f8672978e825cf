#include "engine/mirror_deletion.h"

#include <string>
#include <vector>

#include "engine/leftover_copies.h"
#include "engine/mass_deletion_guard.h"
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

// One entry to move to the trash, and how its log line names it (a folder with a trailing
// separator).
struct Removal {
    std::string path;
    std::string loggedPath;
};

class MirrorDeletion {
  public:
    MirrorDeletion(CopyJob& job, RunContext& context) : job_(job), context_(context) {}

    void Run() {
        if (!Plan(job_.Source, job_.Destination) || removals_.empty()) return;
        if (!MayRemove(job_, context_, removals_.size())) return;
        for (const Removal& removal : removals_) {
            if (!context_.IsActive() || !SourceStillThere()) return;
            context_.WaitForIdle(job_);
            Remove(removal);
            context_.PauseAfterFile();
        }
    }

  private:
    // Collects what the destination folder holds and the source folder lacks, depth first, a
    // folder's entries before the folder. False once the deletion must stop.
    bool Plan(const std::string& sourceFolder, const std::string& destinationFolder) {
        if (!SourceStillThere()) return false;
        DirectoryEnumerator entries;
        if (!entries.Open(destinationFolder, DirectoryEnumerator::Entries::Every)) return true;
        const bool sourceExcluded = IsExcludedFolder(job_, sourceFolder);
        FileStatus entry;
        while (entries.Next(&entry)) {
            if (!context_.IsActive()) return false;
            context_.WaitForIdle(job_);
            if (!PlanEntry(sourceFolder, destinationFolder, entry, sourceExcluded)) return false;
            context_.Yield();
        }
        return true;
    }

    bool PlanEntry(const std::string& sourceFolder, const std::string& destinationFolder,
                   const FileStatus& entry, bool sourceExcluded) {
        const std::string source = JoinPath(sourceFolder, entry.name);
        const std::string destination = JoinPath(destinationFolder, entry.name);
        // What is mounted in the destination, and what the run cannot tell, is never removed.
        if (entry.kind == EntryKind::OtherMount || entry.kind == EntryKind::Special ||
            entry.kind == EntryKind::Unreadable) {
            return true;
        }
        if (entry.kind == EntryKind::Folder) {
            if (IsTrashFolderName(entry.name) || IsExcludedFolder(job_, source) ||
                SourceHas(source)) {
                return true;
            }
            if (!Plan(source, destination)) return false;
            removals_.push_back({destination, WithTrailingSeparator(destination)});
            return true;
        }
        // An unfinished copy of a crashed run is no extra of the source's and is not trashed.
        if (IsTemporaryCopyName(entry.name)) {
            RemoveLeftoverCopy(destination);
            return true;
        }
        if (!sourceExcluded && !SourceHas(source)) removals_.push_back({destination, destination});
        return true;
    }

    // The source's entry itself, a link that points nowhere included.
    static bool SourceHas(const std::string& source) {
        FileIdentity entry;
        return GetEntryIdentity(source, &entry);
    }

    void Remove(const Removal& removal) {
        const bool trashed = MoveToTrash(removal.path);
        if (!trashed) job_.HadError = 1;
        if (job_.LogRecord) {
            FillStep(job_.LogRecord, context_.clock(), kLogActionDeleted, kLogSourceNotInMaster,
                     removal.loggedPath);
            FinishStep(job_, context_, trashed ? kLogResultTrashed : kLogResultError);
        }
    }

    // A vanished source stops the deletion, and is an error of the run.
    bool SourceStillThere() {
        if (SourceIsStillThere(context_, job_.Source)) return true;
        job_.HadError = 1;
        return false;
    }

    CopyJob& job_;
    RunContext& context_;
    std::vector<Removal> removals_;
};

}  // namespace

void RunMirrorDeletion(CopyJob& job, RunContext& context) { MirrorDeletion(job, context).Run(); }

}  // namespace tv
