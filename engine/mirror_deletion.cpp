#include "engine/mirror_deletion.h"

#include <sys/stat.h>

#include <string>
#include <utility>
#include <vector>

#include "engine/leftover_copies.h"
#include "engine/mass_deletion_guard.h"
#include "engine/run_context.h"
#include "engine/selection_rules.h"
#include "engine/step_log.h"
#include "platform/file_system.h"
#include "platform/node_identity.h"
#include "platform/paths.h"
#include "platform/trash.h"

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

// One entry to move to the trash: the folder holding it and the entry, each as it was when the
// deletion was planned, and how its log line names it (a folder with a trailing separator).
struct Removal {
    std::string folder;
    FileIdentity folderIdentity;
    std::string name;
    FileIdentity entry;
    std::string loggedPath;
};

// The destination is looked at and emptied only through folders opened level by level from its
// root without following a link, each the same folder (device and inode) from the plan to the
// removal: a folder that another account who may write the destination swaps for a link is
// neither listed through nor removed from.
class MirrorDeletion {
  public:
    MirrorDeletion(CopyJob& job, RunContext& context) : job_(job), context_(context) {}

    void Run() {
        if (!Plan(job_.Source, job_.Destination, nullptr) || removals_.empty()) return;
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
    // folder's entries before the folder. A folder that is no longer the one planned (expected,
    // when given) adds nothing. False once the deletion must stop.
    bool Plan(const std::string& sourceFolder, const std::string& destinationFolder,
              const FileIdentity* expected) {
        if (!SourceStillThere()) return false;
        OpenFolder folder;
        FileIdentity identity;
        DirectoryEnumerator entries;
        if (!folder.OpenBelow(job_.Destination, destinationFolder) || !folder.Identity(&identity) ||
            (expected && !identity.IsSameFile(*expected)) ||
            !entries.OpenIn(folder, DirectoryEnumerator::Entries::Every)) {
            return true;
        }
        const bool sourceExcluded = IsExcludedFolder(job_, sourceFolder);
        FileStatus entry;
        while (entries.Next(&entry)) {
            if (!context_.IsActive()) return false;
            context_.WaitForIdle(job_);
            if (!PlanEntry(sourceFolder, folder, identity, entry, sourceExcluded)) return false;
            context_.Yield();
        }
        return true;
    }

    bool PlanEntry(const std::string& sourceFolder, const OpenFolder& folder,
                   const FileIdentity& folderIdentity, const FileStatus& entry,
                   bool sourceExcluded) {
        const std::string source = JoinPath(sourceFolder, entry.name);
        const std::string destination = JoinPath(folder.path(), entry.name);
        // What is mounted in the destination, and what the run cannot tell, is never removed.
        if (entry.kind == EntryKind::OtherMount || entry.kind == EntryKind::Special ||
            entry.kind == EntryKind::Unreadable) {
            return true;
        }
        FileIdentity planned;
        if (!folder.EntryIdentity(entry.name, &planned)) return true;
        Removal removal{folder.path(), folderIdentity, entry.name, planned, destination};
        if (entry.kind == EntryKind::Folder) {
            if (!S_ISDIR(planned.mode) || IsTrashFolderName(entry.name) ||
                IsExcludedFolder(job_, source) || SourceHas(source)) {
                return true;
            }
            if (!Plan(source, destination, &planned)) return false;
            removal.loggedPath = WithTrailingSeparator(destination);
            removals_.push_back(std::move(removal));
            return true;
        }
        // An unfinished copy of a crashed run is no extra of the source's and is not trashed.
        if (IsTemporaryCopyName(entry.name)) {
            RemoveLeftoverCopyIn(folder, entry.name);
            return true;
        }
        if (!sourceExcluded && !SourceHas(source)) removals_.push_back(std::move(removal));
        return true;
    }

    // The source's entry itself, a link that points nowhere included.
    static bool SourceHas(const std::string& source) {
        FileIdentity entry;
        return GetEntryIdentity(source, &entry);
    }

    // What is no longer the entry planned, or no longer in the folder planned, is not the run's
    // to remove and stays without a line. The rename into the trash goes from the folder held
    // open, so whatever may take the entry's name meanwhile, nothing is reached through a link.
    void Remove(const Removal& removal) {
        OpenFolder folder;
        FileIdentity folderNow;
        FileIdentity entryNow;
        if (!folder.OpenBelow(job_.Destination, removal.folder) || !folder.Identity(&folderNow) ||
            !folderNow.IsSameFile(removal.folderIdentity) ||
            !folder.EntryIdentity(removal.name, &entryNow) || !entryNow.IsSameFile(removal.entry)) {
            return;
        }
        std::string trashFolder;
        const bool trashed = MoveEntryToTrash(folder, removal.name, &trashFolder);
        if (trashed) {
            context_.pendingCopies().NoteRenameIn(removal.folder);
            context_.pendingCopies().NoteRenameIn(trashFolder);
        } else {
            job_.HadError = 1;
        }
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

void RunMirrorDeletion(CopyJob& job, RunContext& context) {
    MirrorDeletion(job, context).Run();
    // However the deletion ended, its moves to the trash are durable before the run reports.
    if (!context.pendingCopies().MakeRenamesDurable()) job.HadError = 1;
}

}  // namespace tv
