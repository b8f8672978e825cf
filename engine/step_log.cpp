#include "engine/step_log.h"

#include "engine/run_context.h"
#include "log/log_store.h"
#include "platform/clock.h"
#include "platform/name_mapping.h"
#include "platform/paths.h"

namespace tv {

std::string LogDateText(const Clock& clock) { return clock.NowDateTime().Format("%Y/%m/%d"); }

std::string LogTimeText(const Clock& clock) { return clock.NowDateTime().Format("%H:%M:%S"); }

std::string ShownDestination(const CopyJob& job, const RunContext& context,
                             const std::string& stored) {
    return OriginalPathBelow(job.Destination, stored, context.nameRefusals());
}

void FillStep(::tv::LogRecord* record, const Clock& clock, const char* action,
              const std::string& source, const std::string& destination) {
    record->date = LogDateText(clock);
    record->action = action;
    record->name = AfterLastSeparator(destination);
    record->source = source;
    record->destination = destination;
    record->time = LogTimeText(clock);
}

void FinishStep(CopyJob& job, const RunContext& context, const char* result) {
    job.LogRecord->result = result;
    CountLogRecord(*job.LogRecord, &job.Logged);
    if (context.log()) context.log()->Append(*job.LogRecord);
}

void FinishStepOf(CopyJob& job, const RunContext& context, const ::tv::LogRecord& line,
                  const char* result) {
    *job.LogRecord = line;
    FinishStep(job, context, result);
}

void LogStep(CopyJob& job, const RunContext& context, const char* action, const std::string& source,
             const std::string& destination, const char* result) {
    if (!job.LogRecord) return;
    FillStep(job.LogRecord, context.clock(), action, source, destination);
    FinishStep(job, context, result);
}

}  // namespace tv
