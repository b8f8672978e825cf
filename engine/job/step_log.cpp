#include "engine/job/step_log.h"

#include "engine/job/run_context.h"
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

void FinishStep(RunContext& context, const char* result) {
    LogRecord& line = *context.logLine();
    line.result = result;
    CountLogRecord(line, &context.outcome().Logged);
    if (context.log()) context.log()->Append(line);
}

void FinishStepOf(RunContext& context, const ::tv::LogRecord& line, const char* result) {
    *context.logLine() = line;
    FinishStep(context, result);
}

void LogStep(RunContext& context, const char* action, const std::string& source,
             const std::string& destination, const char* result) {
    if (!context.logLine()) return;
    FillStep(context.logLine(), context.clock(), action, source, destination);
    FinishStep(context, result);
}

}  // namespace tv
