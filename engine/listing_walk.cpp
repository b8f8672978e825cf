#include "engine/listing_walk.h"

#include <string>

#include "engine/destination_layout.h"
#include "engine/run_context.h"
#include "engine/selection_rules.h"
#include "engine/step_log.h"
#include "platform/file_system.h"
#include "platform/paths.h"

namespace tv {

namespace {

class ListingWalk {
  public:
    ListingWalk(CopyJob& job, RunContext& context) : job_(job), context_(context) {}

    bool Run() { return Walk(job_.Source, true); }

  private:
    bool Walk(const std::string& folder, bool isTop) {
        DirectoryEnumerator entries;
        if (!entries.Open(folder)) return !isTop;
        NoteCopyOfFolder(folder);
        // In file/directory runs the files of an excluded folder are not listed.
        const bool listsFiles = job_.IsWholeVolume() || !IsExcludedFolder(job_, folder);
        FileStatus entry;
        while (entries.Next(&entry)) {
            if (!context_.IsActive()) return false;
            context_.WaitForIdle(job_);
            const std::string path = JoinPath(folder, entry.name);
            if (entry.IsDirectory()) {
                const bool entered = job_.IncludeSubfolders && !IsExcludedFolder(job_, path) &&
                                     !IsPassedOverDestination(path);
                if (entered && !Walk(path, false)) return false;
            } else if (listsFiles && !IsOlderThanReference(job_, entry)) {
                context_.files().push_back(path);
            }
            context_.Yield();
        }
        return true;
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
};

}  // namespace

bool ListSourceFiles(CopyJob& job, RunContext& context) { return ListingWalk(job, context).Run(); }

}  // namespace tv
