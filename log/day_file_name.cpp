#include "log/day_file_name.h"

#include "log/log_store.h"

namespace tv {

namespace {

constexpr const char* kDayFileExtension = ".txt";
constexpr size_t kDateLength = 10;     // yyyy/mm/dd
constexpr size_t kDayFileLength = 12;  // yyyymmdd.txt

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

bool AllDigits(const std::string& text, size_t start, size_t count) {
    for (size_t i = start; i < start + count; ++i) {
        if (!IsDigit(text[i])) return false;
    }
    return true;
}

}  // namespace

// The digits are required, not only the length: the name becomes part of a path, and a date
// like "../../etc/" must never reach outside the Log folder.
std::string LogStore::DayFileName(const std::string& date) {
    if (date.size() != kDateLength) return "";
    if (!AllDigits(date, 0, 4) || !AllDigits(date, 5, 2) || !AllDigits(date, 8, 2)) return "";
    return date.substr(0, 4) + date.substr(5, 2) + date.substr(8, 2) + kDayFileExtension;
}

bool IsDayFileName(const std::string& name) {
    return name.size() == kDayFileLength && AllDigits(name, 0, 8) &&
           name.compare(8, std::string::npos, kDayFileExtension) == 0;
}

std::string DayOfDayFileName(const std::string& name) {
    return name.substr(0, 4) + "/" + name.substr(4, 2) + "/" + name.substr(6, 2);
}

}  // namespace tv
