// Filling and appending the run's log line for one logged step.
#pragma once

#include <string>

#include "engine/job/copy_job.h"

namespace tv {

class Clock;
class RunContext;

// Today as "%Y/%m/%d" and now as "%H:%M:%S", from the run's clock.
std::string LogDateText(const Clock& clock);
std::string LogTimeText(const Clock& clock);

// A destination path of the run as its log lines show it: with the names its source has, not
// those the destination stores them under.
std::string ShownDestination(const CopyJob& job, const RunContext& context,
                             const std::string& stored);

// Fills every per-item field of the record (date, action, name, source, destination, time).
// The name is the text after the last separator of the destination.
void FillStep(::tv::LogRecord* record, const Clock& clock, const char* action,
              const std::string& source, const std::string& destination);

// Writes the result into the run's log line, counts it in the outcome's Logged and appends it
// to the run's log store.
void FinishStep(RunContext& context, const char* result);

// FinishStep of a step whose line was filled earlier and kept as line: the run's log line may
// have served other steps since.
void FinishStepOf(RunContext& context, const ::tv::LogRecord& line, const char* result);

// FillStep and FinishStep at once, for a step whose result is known; nothing when the run logs
// nothing.
void LogStep(RunContext& context, const char* action, const std::string& source,
             const std::string& destination, const char* result);

// The action of the line that refuses a destination which is the source or holds it.
inline constexpr const char* kLogActionDestinationCheck = "転送先確認";

}  // namespace tv
