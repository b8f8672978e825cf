#include "engine/job/file_decision.h"

#include "engine/copy/buffered_file_copy.h"
#include "engine/copy/content_comparison.h"
#include "engine/durability/pending_copies.h"
#include "engine/job/progress_sink.h"
#include "engine/job/run_context.h"
#include "engine/job/step_log.h"
#include "engine/listing/selection_rules.h"
#include "log/log_record.h"
#include "platform/file_system.h"
#include "platform/name_mapping.h"

namespace tv {

namespace {

struct Skip {
    FileResult result = FileResult::Copied;
    const char* message = nullptr;
    bool applies() const { return message != nullptr; }
};

// File/directory runs test every rule, in this order; whole-volume runs only the reference
// date, so a file the destination lacks is always copied there. A full backup compares instead
// what the time-stamp and size rules would pass over, once every other rule has let it through.
Skip SkipOf(const CopyJob& job, const std::string& source, const FileStatus& sourceStatus,
            const FileStatus* copy) {
    if (!job.IsWholeVolume()) {
        if (!IsTransferTarget(job, source)) return {FileResult::SkippedByRule, kMessageNotTarget};
        if (!job.FullBackup && IsDestinationNewer(job, sourceStatus, copy)) {
            return {FileResult::SkippedNotNewer, kMessageDestinationNewer};
        }
        if (!job.FullBackup && IsSameSize(job, sourceStatus, copy)) {
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

// A full backup compares a file with its copy where the time-stamp or size rule would pass it
// over: file/directory runs test them here, whole-volume runs in the prefilter of the plain
// layout (their dated and extension layouts copy every file again anyway).
bool ComparesContent(const CopyJob& job, const FileStatus& sourceStatus, const FileStatus* copy) {
    const bool rulesTestTimeAndSize = !job.IsWholeVolume() || (!job.ExtFolder && !job.IsDated());
    return job.FullBackup && rulesTestTimeAndSize &&
           IsPassedOverForTimeOrSize(job, sourceStatus, copy);
}

FileResult Skipped(const RunContext& context, ProgressSink* window, const std::string& source,
                   const Skip& skip) {
    if (window) {
        window->SetLines(source, std::string(skip.message));
        window->Step();
    }
    context.PauseAfterFile();
    return skip.result;
}

// Compares the file with its copy and copies it again when their bytes differ. A file or copy
// that cannot be read is an open error: an unread copy is never taken for an equal one.
FileResult CompareThenCopy(const CopyJob& job, RunContext& context, ProgressSink* window,
                           const std::string& source, const std::string& destination, bool notify,
                           const NodeIdentity* listed, CopySettled* settled) {
    switch (CompareWithCopy(job, context, source, destination)) {
        case ContentVerdict::Same:
            return Skipped(context, window, source,
                           {FileResult::SkippedSameContent, kMessageSameContent});
        case ContentVerdict::Different:
            break;
        case ContentVerdict::Unreadable:
            context.NoteError();
            context.PauseAfterFile();
            return FileResult::OpenError;
        case ContentVerdict::Stopped:
            context.PauseAfterFile();
            return FileResult::Cancelled;
    }
    return CopyFileContents(job, context, source, destination, notify, listed, settled);
}

// A name the destination refuses even mapped (a device name, a name beyond ASCII where the driver
// takes none): no copy is tried, and the file's line tells it on every run.
FileResult RefusedName(const CopyJob& job, RunContext& context, const std::string& source,
                       const std::string& destination) {
    ++context.outcome().Unstorable.refusedNames;
    context.NoteError();
    LogStep(context, kLogActionFileCreated, source, ShownDestination(job, context, destination),
            kLogResultError);
    context.PauseAfterFile();
    return FileResult::OpenError;
}

}  // namespace

FileResult CopyOneFile(const CopyJob& job, RunContext& context, const std::string& source,
                       const std::string& destination, bool notify, const KnownStatuses& known,
                       CopySettled* settled) {
    if (!context.IsActive()) return FileResult::Cancelled;
    context.WaitForIdle(job);
    ProgressSink* window = notify ? context.window() : nullptr;
    // The rules compare real times: a copy made earlier in this run (a dated folder that two
    // files of one name and day share, a generation that moves up) must not show the marker.
    const bool flushedSource = context.pendingCopies().FlushIfPending(source);
    const bool flushedCopy = context.pendingCopies().FlushIfPending(destination);
    const bool sourceKnown = known.source && !flushedSource && !flushedCopy;
    const bool copyKnown = known.copyLooked && !flushedSource && !flushedCopy;
    FileStatus sourceStatus, copyStatus;
    // A source that cannot be looked at meets no rule: its copy fails visibly.
    const bool sourceSeen =
        sourceKnown ? (sourceStatus = *known.source, true) : GetFileStatus(source, &sourceStatus);
    const FileStatus* copy = copyKnown                                 ? known.copy
                             : GetFileStatus(destination, &copyStatus) ? &copyStatus
                                                                       : nullptr;
    const Skip skip = sourceSeen ? SkipOf(job, source, sourceStatus, copy) : Skip{};
    if (skip.applies()) return Skipped(context, window, source, skip);
    if (window) window->SetLines(source, destination);
    if (sourceSeen && ComparesContent(job, sourceStatus, copy)) {
        return CompareThenCopy(job, context, window, source, destination, notify, known.listed,
                               settled);
    }
    return CopyFileContents(job, context, source, destination, notify, known.listed, settled);
}

FileResult CopyAndLog(const CopyJob& job, RunContext& context, const std::string& source,
                      const std::string& destination, const KnownStatuses& known) {
    if (!CanHoldPathBelow(job.Destination, destination, context.nameRefusals())) {
        return RefusedName(job, context, source, destination);
    }
    if (!context.logLine()) return CopyOneFile(job, context, source, destination, true, known);
    FillStep(context.logLine(), context.clock(), kLogActionFileCreated, source,
             ShownDestination(job, context, destination));
    // The line as the copy starts: copies of a batch made durable meanwhile are logged through
    // the same record.
    const LogRecord line = *context.logLine();
    CopySettled settled = [&context, line](bool durable) {
        if (!durable) context.NoteError();
        FinishStepOf(context, line, durable ? kLogResultOk : kLogResultError);
    };
    const FileResult result = CopyOneFile(job, context, source, destination, true, known, &settled);
    // Taken: the copy waits for the run's next sync, which logs it.
    if (!settled) return result;
    if (result == FileResult::OpenError) context.CountOpenError();
    if (result == FileResult::OpenError || result == FileResult::DiskFull) context.NoteError();
    FinishStepOf(context, line, LogWordOf(result));
    return result;
}

}  // namespace tv
