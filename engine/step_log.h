// Filling and appending the job's log record for one logged step.
#pragma once

#include <string>

#include "engine/copy_job.h"

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

// Writes the result, counts the record in the job's Logged and appends it to the run's log
// store.
void FinishStep(CopyJob& job, const RunContext& context, const char* result);

// FinishStep of a step whose record was filled earlier and kept as line: the job's record may
// have served other steps since.
void FinishStepOf(CopyJob& job, const RunContext& context, const ::tv::LogRecord& line,
                  const char* result);

// FillStep and FinishStep at once, for a step whose result is known; nothing without a record.
void LogStep(CopyJob& job, const RunContext& context, const char* action, const std::string& source,
             const std::string& destination, const char* result);

// The action of the line that refuses a destination which is the source or holds it.
inline constexpr const char* kLogActionDestinationCheck = "転送先確認";

}  // namespace tv
