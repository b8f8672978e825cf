#include "engine/deletion/mirror_deletion.h"

#include <string>
#include <utility>
#include <vector>

#include "engine/deletion/mass_deletion_guard.h"
#include "engine/durability/leftover_copies.h"
#include "engine/job/run_context.h"
#include "engine/job/step_log.h"
#include "engine/listing/selection_rules.h"
#include "engine/listing/source_case.h"
#include "platform/file_system.h"
#include "platform/name_mapping.h"
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

// The copy of a source entry renamed only in case, to be given the source's spelling.
struct CaseRename {
    Removal entry;
    std::string sourceName;
};

// The destination is looked at and emptied only through folders opened level by level from its
// root without following a link, each the same folder (device and inode) from the plan to the
// removal: a folder that another account who may write the destination swaps for a link is
// neither listed through nor removed from.
class MirrorDeletion {
  public:
    MirrorDeletion(const CopyJob& job, RunContext& context) : job_(job), context_(context) {}

    void Run() {
        if (!Plan(job_.Source, job_.Destination, nullptr)) return;
        RenameToSourceCase();
        if (removals_.empty()) return;
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
        SourceCaseOf sourceCase(sourceFolder, folder);
        FileStatus entry;
        while (entries.Next(&entry)) {
            if (!context_.IsActive()) return false;
            context_.WaitForIdle(job_);
            if (!PlanEntry(sourceFolder, folder, identity, entry, sourceExcluded, sourceCase)) {
                return false;
            }
            context_.Yield();
        }
        return true;
    }

    bool PlanEntry(const std::string& sourceFolder, const OpenFolder& folder,
                   const FileIdentity& folderIdentity, const FileStatus& entry, bool sourceExcluded,
                   SourceCaseOf& sourceCase) {
        const std::string source = JoinPath(sourceFolder, OriginalName(entry.name, refusals()));
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
            if (!planned.IsFolder() || IsTrashFolderName(entry.name) ||
                IsExcludedFolder(job_, source) || SourceHolds(sourceFolder, entry.name) ||
                KeptAsSourceCase(sourceCase, removal)) {
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
        if (!sourceExcluded && !SourceHolds(sourceFolder, entry.name) &&
            !KeptAsSourceCase(sourceCase, removal)) {
            removals_.push_back(std::move(removal));
        }
        return true;
    }

    // The source's entry itself, a link that points nowhere included.
    static bool SourceHas(const std::string& source) {
        FileIdentity entry;
        return GetEntryIdentity(source, &entry);
    }

    const NameRefusals& refusals() const { return context_.nameRefusals(); }

    // Whether the source folder holds the entry that the destination stores as storedName: the
    // name it stands for, or, where a source name holds a mapped character itself, that name.
    bool SourceHolds(const std::string& sourceFolder, const std::string& storedName) const {
        const std::string original = OriginalName(storedName, refusals());
        return SourceHas(JoinPath(sourceFolder, original)) ||
               (original != storedName && SourceHas(JoinPath(sourceFolder, storedName)));
    }

    // On a destination that folds case, an entry the source lacks by its exact name may be the
    // copy of a source entry renamed only in case: it is that entry's copy, and it stays.
    bool KeptAsSourceCase(SourceCaseOf& sourceCase, const Removal& entry) {
        std::string sourceName = sourceCase.NameFor(entry.name);
        if (sourceName.empty()) return false;
        caseRenames_.push_back({entry, std::move(sourceName)});
        return true;
    }

    // A destination that cannot give an entry another case of its name (a folder on some FAT
    // drivers) keeps it as it is: it is still the source entry's copy, found by its name.
    void RenameToSourceCase() {
        for (const CaseRename& rename : caseRenames_) {
            if (!context_.IsActive()) return;
            OpenFolder folder;
            if (OpenPlanned(rename.entry, &folder) &&
                folder.Rename(rename.entry.name, StoredName(rename.sourceName, refusals()))) {
                context_.pendingCopies().NoteRenameIn(rename.entry.folder);
            }
        }
    }

    // Opens the folder of a planned entry while both are still what was planned: what is no
    // longer the entry planned, or no longer in the folder planned, is not the run's to touch.
    bool OpenPlanned(const Removal& planned, OpenFolder* folder) const {
        FileIdentity folderNow;
        FileIdentity entryNow;
        return folder->OpenBelow(job_.Destination, planned.folder) &&
               folder->Identity(&folderNow) && folderNow.IsSameFile(planned.folderIdentity) &&
               folder->EntryIdentity(planned.name, &entryNow) && entryNow.IsSameFile(planned.entry);
    }

    // What is not as planned stays without a line. The rename into the trash goes from the
    // folder held open, so whatever may take the entry's name meanwhile, nothing is reached
    // through a link.
    void Remove(const Removal& removal) {
        OpenFolder folder;
        if (!OpenPlanned(removal, &folder)) return;
        std::string trashFolder;
        const bool trashed = MoveEntryToTrash(folder, removal.name, &trashFolder);
        if (trashed) {
            context_.pendingCopies().NoteRenameIn(removal.folder);
            context_.pendingCopies().NoteRenameIn(trashFolder);
        } else {
            context_.NoteError();
        }
        if (context_.logLine()) {
            FillStep(context_.logLine(), context_.clock(), kLogActionDeleted, kLogSourceNotInMaster,
                     ShownDestination(job_, context_, removal.loggedPath));
            FinishStep(context_, trashed ? kLogResultTrashed : kLogResultError);
        }
    }

    // A vanished source stops the deletion, and is an error of the run.
    bool SourceStillThere() {
        if (SourceIsStillThere(context_, job_.Source)) return true;
        context_.NoteError();
        return false;
    }

    const CopyJob& job_;
    RunContext& context_;
    std::vector<Removal> removals_;
    std::vector<CaseRename> caseRenames_;
};

}  // namespace

void RunMirrorDeletion(const CopyJob& job, RunContext& context) {
    MirrorDeletion(job, context).Run();
    // However the deletion ended, its moves to the trash are durable before the run reports.
    if (!context.pendingCopies().MakeRenamesDurable()) context.NoteError();
}

}  // namespace tv
