#include "engine/job_run.h"

#include "engine/copy_pass.h"
#include "engine/file_result.h"
#include "engine/listing_walk.h"
#include "engine/mirror_deletion.h"
#include "engine/progress_sink.h"
#include "engine/run_context.h"
#include "log/log_store.h"

namespace tv {

namespace {

bool DeletesExtrasAfter(const CopyJob& job, const RunContext& context, FileResult passResult) {
    const bool passWentThrough = passResult == FileResult::Copied || IsSkip(passResult);
    return passWentThrough && context.IsActive() && job.ForceMirror && !job.IsDated() &&
           !job.ExtFolder;
}

int CopyAndDelete(CopyJob& job, RunContext& context) {
    if (job.NotifyWindow) job.NotifyWindow->SetTotal(context.files().size());
    context.EnterPhase(job, Phase::Copying);
    const FileResult result = RunCopyPass(job, context);
    if (job.NotifyWindow) job.NotifyWindow->CopyDone(result);
    if (DeletesExtrasAfter(job, context, result)) {
        context.EnterPhase(job, Phase::Deleting);
        RunMirrorDeletion(job, context);
    }
    return static_cast<int>(result);
}

}  // namespace

int RunJob(CopyJob& job, RunContext& context) {
    context.files().clear();
    context.EnterPhase(job, Phase::Counting);
    const bool listed = ListSourceFiles(job, context);
    int runResult = 0;
    if (listed && !context.files().empty() && context.IsActive()) {
        runResult = CopyAndDelete(job, context);
    }
    if (context.log()) context.log()->Close();
    return runResult;
}

}  // namespace tv
