#include "engine/listing/listing_walk.h"

#include <deque>
#include <string>
#include <utility>
#include <vector>

#include "engine/copy/copy_lookahead.h"
#include "engine/copy/destination_layout.h"
#include "engine/durability/leftover_copies.h"
#include "engine/job/run_context.h"
#include "engine/job/step_log.h"
#include "engine/listing/folded_names.h"
#include "engine/listing/selection_rules.h"
#include "platform/file_system.h"
#include "platform/paths.h"

namespace tv {

namespace {

// Folders the walk holds open on its way down at most. Below that depth it lets go of the
// shallowest one it holds and, back up there, opens it again through ".." of the folder below
// it: no depth of tree runs the process out of descriptors.
constexpr size_t kHeldFolders = 64;

// A folder on the walk's way down from the source. Its entries are read whole before any is
// entered, so that the walk needs it open again only to enter its next subfolder.
struct WalkedFolder {
    std::string path;
    DirectoryEnumerator handle;
    NodeIdentity identity;  // what handle had open, to know it again when it is opened anew
    bool lost = false;      // let go of and not found again where it was: the tree moved
};

class ListingWalk {
  public:
    ListingWalk(const CopyJob& job, RunContext& context, CopyLookahead& lookahead)
        : job_(job), context_(context), lookahead_(lookahead) {}

    bool Run() {
        const bool listed = WalkSource();
        lookahead_.ListingEnded();
        return listed;
    }

  private:
    bool WalkSource() {
        WalkedFolder& top = folders_.emplace_back();
        top.path = job_.Source;
        if (!top.handle.Open(job_.Source, DirectoryEnumerator::Entries::Every)) {
            // A source that is gone (a medium taken out) is nothing to back up; one that is
            // there and cannot be read is a failure of the run.
            if (PathExists(job_.Source)) {
                PassOver(job_.Source, kLogActionFolderCreated, kLogResultError);
            }
            return false;
        }
        top.identity = top.handle.identity();
        return Walk(top);
    }

    // False when the walk must stop.
    bool Walk(WalkedFolder& folder) {
        NoteCopyOfFolder(folder.path);
        // In file/directory runs the files of an excluded folder are not listed.
        const bool listsFiles = job_.IsWholeVolume() || !IsExcludedFolder(job_, folder.path);
        std::vector<FileStatus> entries;
        if (!ReadEntries(folder.handle, &entries)) return false;
        const FoldedNames names = NamesKeptInDestination(entries);
        for (size_t index = 0; index < entries.size(); ++index) {
            if (!context_.IsActive()) return false;
            if (!Consider(folder, entries[index], listsFiles, names.EarlierThan(index))) {
                return false;
            }
            if (folder.lost) break;
        }
        return true;
    }

    // False when the worker was stopped.
    bool ReadEntries(DirectoryEnumerator& handle, std::vector<FileStatus>* entries) {
        FileStatus entry;
        while (handle.Next(&entry)) {
            if (!context_.IsActive()) return false;
            context_.WaitForIdle(job_);
            entries->push_back(std::move(entry));
            context_.Yield();
        }
        return true;
    }

    // In the plain layout the files and folders of a source folder keep their names in one
    // destination folder, where names that fold together may meet.
    FoldedNames NamesKeptInDestination(const std::vector<FileStatus>& entries) const {
        std::vector<const std::string*> names(entries.size());
        if (!job_.ExtFolder && !job_.IsDated()) {
            for (size_t index = 0; index < entries.size(); ++index) {
                const EntryKind kind = entries[index].kind;
                if (kind == EntryKind::File || kind == EntryKind::Folder ||
                    kind == EntryKind::OtherMount) {
                    names[index] = &entries[index].name;
                }
            }
        }
        return FoldedNames(std::move(names));
    }

    // False when the walk must stop. earlier: an entry met before whose name folds with this one.
    bool Consider(WalkedFolder& folder, const FileStatus& entry, bool listsFiles,
                  const std::string* earlier) {
        const std::string path = JoinPath(folder.path, entry.name);
        if (IsTooLong(path)) {
            PassOver(path, entry.IsDirectory() ? kLogActionFolderCreated : kLogActionFileCreated,
                     kLogResultError);
            return true;
        }
        switch (entry.kind) {
            case EntryKind::OtherMount:
                // A drive is walked as one volume: another volume mounted inside it is no part
                // of it. A chosen folder is backed up with whatever is mounted below it.
                if (job_.IsWholeVolume()) return true;
                if (entry.IsDirectory()) return Enter(folder, path, entry);
                return List(path, entry, listsFiles, earlier);
            case EntryKind::Folder:
                return Enter(folder, path, entry);
            case EntryKind::File:
                return List(path, entry, listsFiles, earlier);
            case EntryKind::Link:
                if (!listsFiles || IsOlderThanReference(job_, entry)) return true;
                // The dated and extension layouts gather files from every folder into a few:
                // a relative link would point elsewhere there.
                if (job_.ExtFolder || job_.IsDated()) {
                    PassOver(path, kLogActionFileCreated, kLogResultSkipped);
                } else {
                    context_.links().push_back(path);
                }
                return true;
            case EntryKind::Special:
                if (listsFiles) PassOver(path, kLogActionFileCreated, kLogResultSkipped);
                return true;
            case EntryKind::Unreadable:
                PassOver(path, kLogActionFileCreated, kLogResultError);
                return true;
        }
        return true;
    }

    bool Enter(WalkedFolder& parent, const std::string& path, const FileStatus& entry) {
        const bool entered = job_.IncludeSubfolders && !IsExcludedFolder(job_, path) &&
                             !IsPassedOverDestination(path, entry.node);
        if (!entered) return true;
        WalkedFolder& folder = folders_.emplace_back();
        folder.path = path;
        folder.identity = entry.node;
        bool walked = true;
        // Entered from the folder that listed it, never through a link put in its place since.
        if (folder.handle.OpenChild(parent.handle, entry.name, entry.node,
                                    DirectoryEnumerator::Entries::Every)) {
            LetGoOfShallowestHeld();
            walked = Walk(folder);
            if (walked) ComeBackTo(parent, folder);
        } else {
            PassOver(path, kLogActionFolderCreated, kLogResultError);
        }
        folders_.pop_back();
        return walked;
    }

    // The folders held open are the deepest ones of the way down.
    void LetGoOfShallowestHeld() {
        if (folders_.size() > kHeldFolders) {
            folders_[folders_.size() - 1 - kHeldFolders].handle.Close();
        }
    }

    // Holds parent open again, as the folder above child, for the subfolders it still has.
    // When it is no longer there, the rest of it is not listed: the tree moved during the walk.
    void ComeBackTo(WalkedFolder& parent, const WalkedFolder& child) {
        if (parent.handle.IsOpen() ||
            parent.handle.OpenParent(child.handle, parent.identity,
                                     DirectoryEnumerator::Entries::Every)) {
            return;
        }
        parent.lost = true;
        PassOver(parent.path, kLogActionFolderCreated, kLogResultError);
    }

    bool List(const std::string& path, const FileStatus& entry, bool listsFiles,
              const std::string* earlier) {
        if (!listsFiles || IsOlderThanReference(job_, entry)) return true;
        // An unfinished copy of another run is no file of the source's.
        if (IsTemporaryCopyName(entry.name)) {
            PassOver(path, kLogActionFileCreated, kLogResultSkipped);
        } else {
            ListedFile& listed = context_.files().emplace_back(ListedFileOf(path, entry));
            if (earlier) {
                context_.NoteFoldsWithEarlier(&listed, JoinPath(ContainingFolder(path), *earlier));
            }
            lookahead_.Listed(listed);
        }
        return true;
    }

    // A source path or its copy's path that the system's file calls cannot take.
    bool IsTooLong(const std::string& path) const {
        return path.size() > kMaxPathLength ||
               StoredPlainDestination(job_, context_.drives(), context_.nameRefusals(), path)
                       .size() > kMaxPathLength;
    }

    // The line of an entry the backup does not hold ("スキップ") or could not read ("エラー",
    // an error of the run).
    void PassOver(const std::string& path, const char* action, const char* result) {
        if (result == kLogResultError) context_.NoteError();
        LogStep(context_, action, path, PlainDestination(job_, context_.drives(), path), result);
    }

    // In the plain layout each source folder has its copy, which the run visits.
    void NoteCopyOfFolder(const std::string& folder) {
        if (job_.ExtFolder || job_.IsDated()) return;
        // Named as a folder, so that the source root maps to the destination root.
        const std::string copy = StoredPlainDestination(
            job_, context_.drives(), context_.nameRefusals(), WithTrailingSeparator(folder));
        context_.NoteVisitedFolder(WithoutTrailingSeparators(copy));
    }

    // The destination inside the source holds this run's copies, not the source's files.
    bool IsPassedOverDestination(const std::string& folder, const NodeIdentity& identity) const {
        const auto& destination = context_.destinationInSource();
        if (!destination || identity != *destination) return false;
        LogStep(context_, kLogActionFolderCreated, folder, job_.Destination, kLogResultSkipped);
        return true;
    }

    const CopyJob& job_;
    RunContext& context_;
    CopyLookahead& lookahead_;
    // The folders from the source down to the one being walked; a deque keeps each in place.
    std::deque<WalkedFolder> folders_;
};

}  // namespace

bool ListSourceFiles(const CopyJob& job, RunContext& context, CopyLookahead& lookahead) {
    return ListingWalk(job, context, lookahead).Run();
}

}  // namespace tv
