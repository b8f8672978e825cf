#include "engine/file_decision.h"

#include "engine/buffered_file_copy.h"
#include "engine/pending_copies.h"
#include "engine/progress_sink.h"
#include "engine/run_context.h"
#include "engine/selection_rules.h"
#include "engine/step_log.h"
#include "platform/file_system.h"

namespace tv {

namespace {

struct Skip {
    FileResult result = FileResult::Copied;
    const char* message = nullptr;
    bool applies() const { return message != nullptr; }
};

// File/directory runs test every rule, in this order; whole-volume runs only the reference
// date, so a file the destination lacks is always copied there.
Skip SkipOf(const CopyJob& job, const std::string& source, const std::string& destination) {
    FileStatus sourceStatus, destinationStatus;
    if (!GetFileStatus(source, &sourceStatus)) return {};
    const FileStatus* copy =
        GetFileStatus(destination, &destinationStatus) ? &destinationStatus : nullptr;
    if (!job.IsWholeVolume()) {
        if (!IsTransferTarget(job, source)) return {FileResult::SkippedByRule, kMessageNotTarget};
        if (IsDestinationNewer(job, sourceStatus, copy)) {
            return {FileResult::SkippedNotNewer, kMessageDestinationNewer};
        }
        if (IsSameSize(job, sourceStatus, copy)) {
            return {FileResult::SkippedSameSize, kMessageSameSize};
        }
        if (IsExcludedReadOnly(job, sourceStatus)) {
            return {FileResult::SkippedByRule, kMessageReadOnly};
        }
        if (IsExcludedHidden(job, sourceStatus)) return {FileResult::SkippedByRule, kMessageHidden};
    }
    if (IsOlderThanReference(job, sourceStatus)) {
        return {FileResult::SkippedByRule, kMessageOlderThanReference};
    }
    return {};
}

}  // namespace

FileResult CopyOneFile(CopyJob& job, RunContext& context, const std::string& source,
                       const std::string& destination, bool notify) {
    if (!context.IsActive()) return FileResult::Cancelled;
    context.WaitForIdle(job);
    ProgressSink* window = notify ? job.NotifyWindow : nullptr;
    // The rules compare real times: a copy made earlier in this run (a dated folder that two
    // files of one name and day share, a generation that moves up) must not show the marker.
    context.pendingCopies().FlushIfPending(source);
    context.pendingCopies().FlushIfPending(destination);
    const Skip skip = SkipOf(job, source, destination);
    if (skip.applies()) {
        if (window) {
            window->SetLines(source, std::string(skip.message));
            window->Step();
        }
        context.PauseAfterFile();
        return skip.result;
    }
    if (window) window->SetLines(source, destination);
    return CopyFileContents(job, context, source, destination, notify);
}

FileResult CopyAndLog(CopyJob& job, RunContext& context, const std::string& source,
                      const std::string& destination) {
    if (job.LogRecord) {
        FillStep(job.LogRecord, context.clock(), kLogActionFileCreated, source, destination);
    }
    const FileResult result = CopyOneFile(job, context, source, destination, true);
    if (job.LogRecord) {
        if (result == FileResult::OpenError) context.CountOpenError();
        if (result == FileResult::OpenError || result == FileResult::DiskFull) job.HadError = 1;
        FinishStep(job, context, LogWordOf(result));
    }
    return result;
}

}  // namespace tv
