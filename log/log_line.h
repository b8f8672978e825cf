// One line of a log file and its twelve fields.
#pragma once

#include <string>

#include "log/log_record.h"

namespace tv {

// The twelve fields joined by tabs and ended by CR LF; the line is always valid UTF-8 and free
// of control characters, whatever bytes a file name brought. A field never reaches the disk
// empty (it is written as one space), and tabs and line ends inside a field become spaces, so a
// file name that holds them cannot split or shift the line. Any other byte that is a control
// character (C0, DEL, the two bytes of a C1 control) or not part of valid UTF-8 is written as
// "\xNN" with its value in upper-case hex, and a backslash that is followed by 'x' as "\x5C":
// "\x" followed by two hex digits then always stands for one byte of the original text.
std::string FormatLogLine(const LogRecord& record);

// A line read from a log file (without its line end) as UTF-8, decoded field by field: a valid
// UTF-8 field stays as it is, one that is not is read as CP932, so a name written in another
// encoding by an older version garbles no other field. A line whose own words (unit, mode, work,
// action, result) are CP932 was written whole in CP932 on Windows and is read whole as CP932.
std::string DecodeLogLine(const std::string& bytes);

// Splits a decoded line at the tabs into the fields, in order. Splitting stops at the first
// empty field or after twelve fields; the fields not reached keep their content.
void ParseLogLine(const std::string& line, LogRecord* record);

}  // namespace tv
