#include "log/log_record.h"

#include <cassert>

namespace tv {

namespace {

using FieldMember = std::string LogRecord::*;

// The fields in the order they appear on a line.
constexpr FieldMember kFieldOrder[LogRecord::kFieldCount] = {
    &LogRecord::date,   &LogRecord::unit,        &LogRecord::recognition, &LogRecord::drive,
    &LogRecord::mode,   &LogRecord::work,        &LogRecord::action,      &LogRecord::name,
    &LogRecord::source, &LogRecord::destination, &LogRecord::time,        &LogRecord::result,
};

}  // namespace

std::string& LogRecord::Field(int index) {
    assert(index >= 0 && index < kFieldCount);
    return this->*kFieldOrder[index];
}

const std::string& LogRecord::Field(int index) const {
    assert(index >= 0 && index < kFieldCount);
    return this->*kFieldOrder[index];
}

}  // namespace tv
