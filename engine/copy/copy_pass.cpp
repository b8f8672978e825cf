#include "engine/copy/copy_pass.h"

#include <deque>
#include <string>

#include "engine/copy/buffered_file_copy.h"
#include "engine/copy/copy_lookahead.h"
#include "engine/copy/destination_layout.h"
#include "engine/copy/extension_generations.h"
#include "engine/copy/folder_creation.h"
#include "engine/copy/link_copy.h"
#include "engine/durability/pending_copies.h"
#include "engine/job/file_decision.h"
#include "engine/job/run_context.h"
#include "engine/listing/case_clash.h"
#include "engine/listing/selection_rules.h"
#include "platform/file_system.h"
#include "platform/name_mapping.h"
#include "platform/paths.h"

namespace tv {

namespace {

// What the pass knows of a file it has not looked at again: only which file it is.
KnownStatuses OnlyListed(const ListedFile& listed) {
    KnownStatuses known;
    known.listed = &listed.node;
    return known;
}

FileResult PlaceInDatedFolder(const CopyJob& job, RunContext& context, const ListedFile& listed) {
    const std::string& source = listed.path;
    const std::string name = StoredName(AfterLastSeparator(source), context.nameRefusals());
    FileStatus status;
    // A file gone since the listing has no date: its copy fails as an open error, without
    // making a folder of 1970/01/01 for it.
    if (!GetFileStatus(source, &status)) {
        return CopyAndLog(job, context, source, JoinPath(job.Destination, name),
                          OnlyListed(listed));
    }
    const std::string folder = DatedFolder(job, static_cast<std::time_t>(status.lastWrite.seconds));
    CreateDestinationFolder(job, context, folder, BeforeLastSeparator(source));
    return CopyAndLog(job, context, source, JoinPath(folder, name), OnlyListed(listed));
}

FileResult PlaceInPlainTree(const CopyJob& job, RunContext& context, const std::string& source,
                            const std::string& destination, const KnownStatuses& known) {
    CreateDestinationFolder(job, context, BeforeLastSeparator(destination),
                            BeforeLastSeparator(source), FolderLevels::MirrorSource);
    return CopyAndLog(job, context, source, destination, known);
}

// The status of the file's copy, or null when there is none: looked up in its folder held open
// where it can be, which spares walking the whole path for every file.
const FileStatus* CopyStatusOf(const CopyJob& job, RunContext& context,
                               const std::string& destination, FileStatus* status) {
    if (context.IsSurelyAbsent(destination)) return nullptr;
    const OpenFolder* folder = context.HeldFolder(job.Destination, ContainingFolder(destination));
    const bool found = folder != nullptr
                           ? folder->EntryStatus(AfterLastSeparator(destination), status)
                           : GetFileStatus(destination, status);
    return found ? status : nullptr;
}

// A file that could not be read or written is an error of the run, logged or not.
bool IsFailure(FileResult result) {
    return result == FileResult::OpenError || result == FileResult::DiskFull;
}

FileResult CopyListedFiles(const CopyJob& job, RunContext& context, CopyLookahead& lookahead) {
    FileResult result = FileResult::Copied;
    const std::deque<ListedFile>& files = context.files();
    for (size_t index = 0; index < files.size(); ++index) {
        if (!context.IsActive()) return FileResult::Cancelled;
        const ListedFile& listed = files[index];
        if (PassesOverCaseClash(job, context, listed)) continue;
        if (lookahead.SawCurrent(index, listed)) continue;
        const std::string& source = listed.path;
        const std::string destination =
            StoredPlainDestination(job, context.drives(), context.nameRefusals(), source);
        // A file listed twice meets its own copy of this run, which must show its real times.
        context.pendingCopies().FlushIfPending(destination);
        if (job.ExtFolder) {
            result = PlaceInExtensionFolders(job, context, source, listed.node);
        } else if (job.IsDated()) {
            result = PlaceInDatedFolder(job, context, listed);
        } else {
            const FileStatus sourceStatus = listed.Status();
            FileStatus copyStatus;
            const FileStatus* copy = CopyStatusOf(job, context, destination, &copyStatus);
            if (!NeedsCopy(job, source, sourceStatus, copy)) continue;
            result = PlaceInPlainTree(job, context, source, destination,
                                      {&sourceStatus, true, copy, &listed.node});
        }
        if (IsFailure(result)) context.NoteError();
        if (result == FileResult::DiskFull || result == FileResult::Cancelled) break;
    }
    return result;
}

// False when the worker was stopped.
bool CopyListedLinks(const CopyJob& job, RunContext& context) {
    for (const std::string& source : context.links()) {
        const std::string destination =
            StoredPlainDestination(job, context.drives(), context.nameRefusals(), source);
        if (CopyLinkAndLog(job, context, source, destination) == FileResult::Cancelled) {
            return false;
        }
    }
    return true;
}

}  // namespace

FileResult RunCopyPass(const CopyJob& job, RunContext& context, CopyLookahead& lookahead) {
    const CopyBufferLease buffer(context, job.BufferSize);
    context.NoteFolderMadeSure({});
    PendingCopies& pending = context.pendingCopies();
    pending.LetCopiesWait(true);
    const size_t markedBefore = pending.CopiesNotDurable();
    FileResult result = CopyListedFiles(job, context, lookahead);
    const bool filesWentThrough = result != FileResult::DiskFull && result != FileResult::Cancelled;
    if (filesWentThrough && !CopyListedLinks(job, context)) result = FileResult::Cancelled;
    // However the pass ended (the last file, a stop, a full disk), it leaves no marker times
    // behind, except on copies whose file system could not be made durable: those are copied
    // again next run, and this run did not back them up. Its last copies' places are durable
    // before the run goes on.
    const bool renamesDurable = pending.MakeRenamesDurable();
    pending.LetCopiesWait(false);
    context.NoteFolderMadeSure({});
    if (!renamesDurable || pending.CopiesNotDurable() != markedBefore) context.NoteError();
    return result;
}

}  // namespace tv
