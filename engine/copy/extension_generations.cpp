#include "engine/copy/extension_generations.h"

#include <algorithm>
#include <tuple>
#include <vector>

#include "engine/copy/destination_layout.h"
#include "engine/copy/folder_creation.h"
#include "engine/durability/pending_copies.h"
#include "engine/job/file_decision.h"
#include "engine/job/run_context.h"
#include "engine/listing/selection_rules.h"
#include "platform/file_system.h"
#include "platform/name_mapping.h"
#include "platform/paths.h"

namespace tv {

namespace {

struct GenerationEntry {
    std::string path;
    FileStatus status;
    bool isSource = false;
};

bool IsOlderGeneration(const GenerationEntry& a, const GenerationEntry& b) {
    return std::make_tuple(a.status.lastWrite.seconds, a.isSource, a.path) <
           std::make_tuple(b.status.lastWrite.seconds, b.isSource, b.path);
}

bool StopsThePlacing(FileResult result) {
    return result == FileResult::DiskFull || result == FileResult::Cancelled;
}

// An older copy that could not move up a generation still lies where the next younger copy
// would go: going on would overwrite it, and that generation would be lost.
bool StopsTheRotation(FileResult result) {
    return StopsThePlacing(result) || result == FileResult::OpenError;
}

class GenerationSearch {
  public:
    GenerationSearch(const CopyJob& job, RunContext& context, std::vector<GenerationEntry>& entries,
                     const std::string& fileName)
        : job_(job), context_(context), entries_(entries), fileName_(fileName) {}

    void Search(const std::string& folder) {
        DirectoryEnumerator found;
        if (!found.Open(folder)) return;
        FileStatus entry;
        while (context_.IsActive() && found.Next(&entry)) {
            const std::string path = JoinPath(folder, entry.name);
            if (entry.IsDirectory()) {
                if (!IsExcludedFolder(job_, path)) Search(path);
            } else if (entry.name == fileName_) {
                AddUnlessDuplicate(path, entry);
            }
            context_.Yield();
        }
    }

  private:
    void AddUnlessDuplicate(const std::string& path, const FileStatus& status) {
        const bool duplicate =
            std::any_of(entries_.begin(), entries_.end(), [&](const GenerationEntry& known) {
                return known.path != path &&
                       known.status.lastWrite.seconds == status.lastWrite.seconds &&
                       known.status.size == status.size;
            });
        if (duplicate) {
            context_.CountDuplicate();
        } else {
            entries_.push_back({path, status, false});
        }
    }

    const CopyJob& job_;
    RunContext& context_;
    std::vector<GenerationEntry>& entries_;
    const std::string& fileName_;
};

// Copies an entry into folder/fileName unless it already is that file. listed: the file the
// listing saw, which the source entry must be.
FileResult PlaceGeneration(const CopyJob& job, RunContext& context, const GenerationEntry& entry,
                           const std::string& folder, const std::string& fileName,
                           const NodeIdentity& listed, FileResult previous) {
    const std::string target = JoinPath(folder, fileName);
    if (entry.path == target) return previous;
    CreateDestinationFolder(job, context, folder, BeforeLastSeparator(entry.path));
    KnownStatuses known;
    if (entry.isSource) known.listed = &listed;
    return CopyAndLog(job, context, entry.path, target, known);
}

// Copies an older entry one generation up into folder. A copy there already must give way to
// it, which it may refuse (on Windows while another program holds it open): a copy waiting for
// the batch would learn that only once the younger copy it came from is overwritten, so such a
// move takes its place at once and a failure stops the rotation in time.
FileResult MoveUp(const CopyJob& job, RunContext& context, const GenerationEntry& entry,
                  const std::string& folder, const std::string& fileName,
                  const NodeIdentity& listed, FileResult previous) {
    PendingCopies& pending = context.pendingCopies();
    const bool copiesMayWait = pending.CopiesMayWait();
    if (PathExists(JoinPath(folder, fileName))) pending.LetCopiesWait(false);
    const FileResult result =
        PlaceGeneration(job, context, entry, folder, fileName, listed, previous);
    pending.LetCopiesWait(copiesMayWait);
    return result;
}

}  // namespace

FileResult PlaceInExtensionFolders(const CopyJob& job, RunContext& context,
                                   const std::string& source, const NodeIdentity& listed) {
    // The folders and copies go by the names the destination stores them under; the extension
    // is the source's.
    const NameRefusals& refusals = context.nameRefusals();
    const std::string sourceName = AfterLastSeparator(source);
    const std::string fileName = StoredName(sourceName, refusals);
    std::vector<GenerationEntry> entries(1);
    entries[0].path = source;
    entries[0].isSource = true;
    GetFileStatus(source, &entries[0].status);

    const std::string current =
        StoredPathBelow(job.Destination, CurrentGenerationFolder(job, sourceName), refusals);
    CreateDestinationFolder(job, context, current, BeforeLastSeparator(source));
    // The generations are told apart and ordered by their times: a copy of this name made
    // earlier in the run must show its real time, not the marker, which would sort it oldest
    // and keep it from matching its twin.
    context.pendingCopies().FlushIfAnyNamed(fileName);
    GenerationSearch(job, context, entries, fileName).Search(job.Destination);
    std::stable_sort(entries.begin(), entries.end(), IsOlderGeneration);

    FileResult result = FileResult::Copied;
    int generation = static_cast<int>(entries.size());
    for (size_t i = 0; i + 1 < entries.size(); ++i) {
        --generation;
        const std::string older = StoredPathBelow(
            job.Destination, OlderGenerationFolder(job, generation, sourceName), refusals);
        result = MoveUp(job, context, entries[i], older, fileName, listed, result);
        if (StopsTheRotation(result)) return result;
    }
    return PlaceGeneration(job, context, entries.back(), current, fileName, listed, result);
}

}  // namespace tv
