#include "engine/listing_walk.h"

#include <string>

#include "engine/copy_lookahead.h"
#include "engine/destination_layout.h"
#include "engine/leftover_copies.h"
#include "engine/run_context.h"
#include "engine/selection_rules.h"
#include "engine/step_log.h"
#include "platform/file_system.h"
#include "platform/paths.h"

namespace tv {

namespace {

class ListingWalk {
  public:
    ListingWalk(CopyJob& job, RunContext& context, CopyLookahead& lookahead)
        : job_(job), context_(context), lookahead_(lookahead) {}

    bool Run() {
        const bool listed = Walk(job_.Source, true);
        lookahead_.ListingEnded();
        return listed;
    }

  private:
    bool Walk(const std::string& folder, bool isTop) {
        DirectoryEnumerator entries;
        if (!entries.Open(folder, DirectoryEnumerator::Entries::Every)) {
            if (!isTop) PassOver(folder, kLogActionFolderCreated, kLogResultError);
            return !isTop;
        }
        NoteCopyOfFolder(folder);
        // In file/directory runs the files of an excluded folder are not listed.
        const bool listsFiles = job_.IsWholeVolume() || !IsExcludedFolder(job_, folder);
        FileStatus entry;
        while (entries.Next(&entry)) {
            if (!context_.IsActive()) return false;
            context_.WaitForIdle(job_);
            if (!Consider(JoinPath(folder, entry.name), entry, listsFiles)) return false;
            context_.Yield();
        }
        return true;
    }

    // False when the walk must stop.
    bool Consider(const std::string& path, const FileStatus& entry, bool listsFiles) {
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
                if (entry.IsDirectory()) return Enter(path);
                return List(path, entry, listsFiles);
            case EntryKind::Folder:
                return Enter(path);
            case EntryKind::File:
                return List(path, entry, listsFiles);
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

    bool Enter(const std::string& path) {
        const bool entered = job_.IncludeSubfolders && !IsExcludedFolder(job_, path) &&
                             !IsPassedOverDestination(path);
        return !entered || Walk(path, false);
    }

    bool List(const std::string& path, const FileStatus& entry, bool listsFiles) {
        if (!listsFiles || IsOlderThanReference(job_, entry)) return true;
        // An unfinished copy of another run is no file of the source's.
        if (IsTemporaryCopyName(entry.name)) {
            PassOver(path, kLogActionFileCreated, kLogResultSkipped);
        } else {
            context_.files().push_back(ListedFileOf(path, entry));
            lookahead_.Listed(context_.files().back());
        }
        return true;
    }

    // A source path or its copy's path that the system's file calls cannot take.
    bool IsTooLong(const std::string& path) const {
        return path.size() > kMaxPathLength ||
               PlainDestination(job_, context_.drives(), path).size() > kMaxPathLength;
    }

    // The line of an entry the backup does not hold ("スキップ") or could not read ("エラー",
    // an error of the run).
    void PassOver(const std::string& path, const char* action, const char* result) {
        if (result == kLogResultError) job_.HadError = 1;
        LogStep(job_, context_, action, path, PlainDestination(job_, context_.drives(), path),
                result);
    }

    // In the plain layout each source folder has its copy, which the run visits.
    void NoteCopyOfFolder(const std::string& folder) {
        if (job_.ExtFolder || job_.IsDated()) return;
        // Named as a folder, so that the source root maps to the destination root.
        const std::string copy =
            PlainDestination(job_, context_.drives(), WithTrailingSeparator(folder));
        context_.NoteVisitedFolder(WithoutTrailingSeparators(copy));
    }

    // The destination inside the source holds this run's copies, not the source's files.
    bool IsPassedOverDestination(const std::string& folder) const {
        NodeIdentity identity;
        const auto& destination = context_.destinationInSource();
        if (!destination || !GetNodeIdentity(folder, &identity) || identity != *destination) {
            return false;
        }
        LogStep(job_, context_, kLogActionFolderCreated, folder, job_.Destination,
                kLogResultSkipped);
        return true;
    }

    CopyJob& job_;
    RunContext& context_;
    CopyLookahead& lookahead_;
};

}  // namespace

bool ListSourceFiles(CopyJob& job, RunContext& context, CopyLookahead& lookahead) {
    return ListingWalk(job, context, lookahead).Run();
}

}  // namespace tv
