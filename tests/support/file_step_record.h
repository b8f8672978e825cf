// A log record of one file step of a file/directory run, with made-up paths: the shape the log
// tests and the log page tests fill their day files with.
#pragma once

#include <string>
#include <vector>

#include "log/log_record.h"

namespace tv::test {

inline LogRecord FileStepRecord(const std::string& date, const std::string& time,
                                const std::string& action, const std::string& work,
                                const std::string& result) {
    LogRecord r;
    r.date = date;
    r.unit = "File/Directory";
    r.recognition = " ";
    r.drive = "E";
    r.mode = "自動";
    r.work = work;
    r.action = action;
    r.name = "a.txt";
    r.source = "/src/a.txt";
    r.destination = "/dst/a.txt";
    r.time = time;
    r.result = result;
    return r;
}

// The twelve fields in order, so that a test compares whole records and a failure shows each.
inline std::vector<std::string> LogFields(const LogRecord& record) {
    std::vector<std::string> fields;
    for (int k = 0; k < LogRecord::kFieldCount; ++k) fields.push_back(record.Field(k));
    return fields;
}

}  // namespace tv::test
