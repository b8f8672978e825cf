#include "engine/job/job_run.h"

#include "engine/copy/copy_lookahead.h"
#include "engine/copy/copy_pass.h"
#include "engine/copy/destination_names.h"
#include "engine/copy/destination_nesting.h"
#include "engine/deletion/mirror_deletion.h"
#include "engine/durability/leftover_copies.h"
#include "engine/job/file_result.h"
#include "engine/job/progress_sink.h"
#include "engine/job/run_context.h"
#include "engine/job/step_log.h"
#include "engine/listing/listing_walk.h"
#include "log/log_store.h"
#include "platform/file_system.h"

namespace tv {

namespace {

bool DeletesExtrasAfter(const CopyJob& job, const RunContext& context, FileResult passResult) {
    const bool passWentThrough = passResult == FileResult::Copied || IsSkip(passResult);
    return passWentThrough && context.IsActive() && job.ForceMirror && !job.IsDated() &&
           !job.ExtFolder;
}

int CopyAndDelete(const CopyJob& job, RunContext& context, CopyLookahead& lookahead) {
    if (context.window()) context.window()->SetTotal(context.files().size());
    context.EnterPhase(Phase::Copying);
    const FileResult result = RunCopyPass(job, context, lookahead);
    if (context.window()) context.window()->CopyDone(result);
    if (DeletesExtrasAfter(job, context, result)) {
        context.EnterPhase(Phase::Deleting);
        RunMirrorDeletion(job, context);
    }
    return static_cast<int>(result);
}

// Takes the identities the run compares against later; false when the destination is the
// source or holds it, which ends the run with an error before anything is touched.
bool PrepareRun(const CopyJob& job, RunContext& context) {
    NodeIdentity sourceRoot;
    if (GetNodeIdentity(job.Source, &sourceRoot)) context.SetSourceRoot(sourceRoot);
    const DestinationPlace place = PlaceOfDestination(job.Source, job.Destination);
    if (EndsTheRun(place.nesting)) {
        LogStep(context, kLogActionDestinationCheck, job.Source, job.Destination, kLogResultError);
        context.NoteError();
        return false;
    }
    if (place.nesting == DestinationNesting::InsideSource && place.destination) {
        context.SetDestinationInSource(*place.destination);
    }
    context.SetNameRefusals(RefusalsOfDestination(job.Destination));
    return true;
}

}  // namespace

int RunJob(const CopyJob& job, RunContext& context) {
    // Every file call of the run asks whether its volume is vfat: once per volume is enough.
    const VolumeKindScope volumeKinds;
    context.files().clear();
    context.links().clear();
    context.BeginLogLines(job.LogRecord);
    context.EnterPhase(Phase::Counting);
    // Opened before the walk and the copies take descriptors: the run's first line, an error
    // among them, never finds none left for the day file.
    if (context.log() && job.LogRecord)
        context.log()->OpenForAppending(LogDateText(context.clock()));
    int runResult = 0;
    // Reads the copies of the files listed while the listing goes on, until the copy pass ends.
    CopyLookahead lookahead(job, context.drives(), context.nameRefusals());
    if (PrepareRun(job, context) && ListSourceFiles(job, context, lookahead) &&
        context.IsActive()) {
        const bool listedAny = !context.files().empty() || !context.links().empty();
        if (listedAny) runResult = CopyAndDelete(job, context, lookahead);
        if (context.IsActive()) RemoveLeftoverCopies(context);
    }
    if (context.log()) context.log()->Close();
    return runResult;
}

}  // namespace tv
