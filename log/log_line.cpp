#include "log/log_line.h"

namespace tv {

namespace {

constexpr char kFieldSeparator = '\t';

std::string FieldOnDisk(const std::string& field) {
    if (field.empty()) return " ";
    std::string text = field;
    for (char& c : text) {
        if (c == '\t' || c == '\r' || c == '\n') c = ' ';
    }
    return text;
}

}  // namespace

std::string FormatLogLine(const LogRecord& record) {
    std::string line;
    for (int k = 0; k < LogRecord::kFieldCount; ++k) {
        if (k > 0) line += kFieldSeparator;
        line += FieldOnDisk(record.Field(k));
    }
    line += "\r\n";
    return line;
}

void ParseLogLine(const std::string& line, LogRecord* record) {
    size_t start = 0;
    for (int k = 0; k < LogRecord::kFieldCount; ++k) {
        const size_t tab = line.find(kFieldSeparator, start);
        const size_t end = tab == std::string::npos ? line.size() : tab;
        if (end == start) return;
        record->Field(k).assign(line, start, end - start);
        if (tab == std::string::npos) return;
        start = tab + 1;
    }
}

}  // namespace tv
