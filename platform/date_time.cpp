#include "platform/date_time.h"

#include <cmath>
#include <cstdint>
#include <cstring>
#include <limits>
#include <vector>

#include "platform/local_time.h"

namespace tv {
namespace {

constexpr int64_t kSecondsPerDay = 86400;
// 1899-12-30 counted in days from 1970-01-01, the origin of the calendar helpers below.
constexpr int64_t kOleEpochDay = -25569;
// Years far enough out that every valid date lies inside, small enough to keep the day
// arithmetic free of overflow.
constexpr int kYearLimit = 100000;

struct Parts {
    int year = -1, month = -1, day = -1, hour = -1, minute = -1, second = -1, dayOfWeek = -1;
};

int64_t FloorDiv(int64_t a, int64_t b) { return a / b - ((a % b != 0) && ((a < 0) != (b < 0))); }
int64_t FloorMod(int64_t a, int64_t b) { return a - FloorDiv(a, b) * b; }

// Days from 1970-01-01 of a proleptic Gregorian date; years before 1 count astronomically.
int64_t DaysFromCivil(int64_t year, int month, int day) {
    year -= month <= 2;
    const int64_t era = FloorDiv(year, 400);
    const int64_t yearOfEra = year - era * 400;
    const int64_t dayOfYear = (153 * (month + (month > 2 ? -3 : 9)) + 2) / 5 + day - 1;
    const int64_t dayOfEra = yearOfEra * 365 + yearOfEra / 4 - yearOfEra / 100 + dayOfYear;
    return era * 146097 + dayOfEra - 719468;
}

void CivilFromDays(int64_t days, Parts* parts) {
    days += 719468;
    const int64_t era = FloorDiv(days, 146097);
    const int64_t dayOfEra = days - era * 146097;
    const int64_t yearOfEra =
        (dayOfEra - dayOfEra / 1460 + dayOfEra / 36524 - dayOfEra / 146096) / 365;
    const int64_t dayOfYear = dayOfEra - (365 * yearOfEra + yearOfEra / 4 - yearOfEra / 100);
    const int64_t monthIndex = (5 * dayOfYear + 2) / 153;
    parts->day = static_cast<int>(dayOfYear - (153 * monthIndex + 2) / 5 + 1);
    parts->month = static_cast<int>(monthIndex < 10 ? monthIndex + 3 : monthIndex - 9);
    parts->year = static_cast<int>(yearOfEra + era * 400 + (parts->month <= 2));
}

bool IsLeapYear(int year) { return year % 4 == 0 && (year % 100 != 0 || year % 400 == 0); }

int DaysInMonth(int year, int month) {
    static const int kDays[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    return month == 2 && IsLeapYear(year) ? 29 : kDays[month - 1];
}

bool InRange(double days) { return std::isfinite(days) && std::fabs(days) <= DateTime::kMaxDays; }

// An OLE date below zero counts its fraction forward from its (negative) day: -1.25 is
// 1899-12-29 06:00. On this continuous scale it is -0.75, so arithmetic and differences work
// across 1899-12-30 as on any other day.
double ContinuousFromOle(double ole) {
    if (ole >= 0) return ole;
    const double day = std::trunc(ole);
    return day + (day - ole);
}

double OleFromContinuous(double continuous) {
    if (continuous >= 0) return continuous;
    const double day = std::floor(continuous);
    const double fraction = continuous - day;
    return fraction == 0 ? day : day - fraction;
}

// Whole seconds since 1899-12-30 00:00 on the continuous scale, rounded to the nearest second
// so that 09:30:00 stored as 0.39583333… reads back as 09:30:00.
int64_t SecondsFromOle(double ole) {
    const double day = std::trunc(ole);
    const double fraction = std::fabs(ole - day);
    return static_cast<int64_t>(day) * kSecondsPerDay +
           static_cast<int64_t>(std::llround(fraction * kSecondsPerDay));
}

double OleFromSeconds(int64_t seconds) {
    const int64_t day = FloorDiv(seconds, kSecondsPerDay);
    const double fraction = static_cast<double>(FloorMod(seconds, kSecondsPerDay)) / kSecondsPerDay;
    return day >= 0 ? static_cast<double>(day) + fraction : static_cast<double>(day) - fraction;
}

Parts PartsOf(const DateTime& value) {
    Parts parts;
    if (!value.IsValid()) return parts;
    const int64_t seconds = SecondsFromOle(value.Days());
    const int64_t day = FloorDiv(seconds, kSecondsPerDay);
    const int64_t secondOfDay = FloorMod(seconds, kSecondsPerDay);
    CivilFromDays(day + kOleEpochDay, &parts);
    parts.hour = static_cast<int>(secondOfDay / 3600);
    parts.minute = static_cast<int>(secondOfDay / 60 % 60);
    parts.second = static_cast<int>(secondOfDay % 60);
    // 1899-12-30 was a Saturday (7).
    parts.dayOfWeek = static_cast<int>(FloorMod(day + 6, 7)) + 1;
    return parts;
}

std::tm LocalTmOf(const Parts& parts) {
    std::tm tm{};
    tm.tm_year = parts.year - 1900;
    tm.tm_mon = parts.month - 1;
    tm.tm_mday = parts.day;
    tm.tm_hour = parts.hour;
    tm.tm_min = parts.minute;
    tm.tm_sec = parts.second;
    tm.tm_wday = parts.dayOfWeek - 1;
    tm.tm_yday = static_cast<int>(DaysFromCivil(parts.year, parts.month, parts.day) -
                                  DaysFromCivil(parts.year, 1, 1));
    tm.tm_isdst = -1;
    return tm;
}

// The zone fields (%Z, %z) come from the time zone's rules for that moment; the calendar
// fields stay as they are even where the local clock skipped that hour.
void FillZone(std::tm* tm) {
    std::tm normalized = *tm;
    if (TimeTOfLocal(&normalized) == static_cast<std::time_t>(-1) && normalized.tm_isdst < 0) {
        tm->tm_isdst = 0;
        return;
    }
    CopyZoneFields(normalized, tm);
}

// Whether the pattern shows the zone (%Z, %z, with flags or a width between). Only then are
// the zone fields asked of the time zone's rules, which makes the C library look at the zone
// file again each time: a log line per copied file must not cost that.
bool ShowsZone(const char* pattern) {
    for (const char* p = pattern; *p != '\0'; ++p) {
        if (*p != '%') continue;
        ++p;
        while (*p != '\0' && std::strchr("_-0^#EO123456789", *p) != nullptr) ++p;
        if (*p == 'Z' || *p == 'z') return true;
        if (*p == '\0') break;
    }
    return false;
}

std::string StrFTime(const char* pattern, const std::tm& tm) {
    if (pattern == nullptr || *pattern == '\0') return std::string();
    for (size_t size = 256; size <= 65536; size *= 4) {
        std::vector<char> buffer(size);
        const size_t length = std::strftime(buffer.data(), buffer.size(), pattern, &tm);
        if (length > 0) return std::string(buffer.data(), length);
    }
    return std::string();
}

}  // namespace

DateTime DateTime::FromDays(double days) {
    DateTime value;
    if (InRange(days)) {
        value.days_ = days;
        value.valid_ = true;
    }
    return value;
}

DateTime DateTime::FromParts(int year, int month, int day, int hour, int minute, int second) {
    if (year <= -kYearLimit || year >= kYearLimit || month < 1 || month > 12 || day < 1 ||
        day > DaysInMonth(year, month) || hour < 0 || hour > 23 || minute < 0 || minute > 59 ||
        second < 0 || second > 59) {
        return Invalid();
    }
    const int64_t days = DaysFromCivil(year, month, day) - kOleEpochDay;
    return FromDays(OleFromSeconds(days * kSecondsPerDay + hour * 3600 + minute * 60 + second));
}

DateTime DateTime::FromTime(int hour, int minute, int second) {
    return FromParts(1899, 12, 30, hour, minute, second);
}

DateTime DateTime::FromTimeT(std::time_t t) {
    std::tm local{};
    if (!LocalCalendarTime(t, &local)) return Invalid();
    return FromParts(local.tm_year + 1900, local.tm_mon + 1, local.tm_mday, local.tm_hour,
                     local.tm_min, local.tm_sec);
}

int DateTime::Year() const { return PartsOf(*this).year; }
int DateTime::Month() const { return PartsOf(*this).month; }
int DateTime::Day() const { return PartsOf(*this).day; }
int DateTime::Hour() const { return PartsOf(*this).hour; }
int DateTime::Minute() const { return PartsOf(*this).minute; }
int DateTime::Second() const { return PartsOf(*this).second; }
int DateTime::DayOfWeek() const { return PartsOf(*this).dayOfWeek; }

std::time_t DateTime::ToTimeT() const {
    if (!valid_) return -1;
    std::tm tm = LocalTmOf(PartsOf(*this));
    return TimeTOfLocal(&tm);
}

std::string DateTime::Format(const char* pattern) const {
    if (!valid_) return std::string();
    std::tm tm = LocalTmOf(PartsOf(*this));
    if (pattern != nullptr && ShowsZone(pattern)) FillZone(&tm);
    return StrFTime(pattern, tm);
}

DateTime DateTime::operator+(double days) const {
    if (!valid_) return Invalid();
    return FromDays(OleFromContinuous(ContinuousFromOle(days_) + days));
}

DateTime DateTime::operator-(double days) const { return *this + -days; }

double DateTime::operator-(const DateTime& other) const {
    if (!valid_ || !other.valid_) return std::numeric_limits<double>::quiet_NaN();
    return ContinuousFromOle(days_) - ContinuousFromOle(other.days_);
}

bool DateTime::operator<(const DateTime& o) const {
    return ContinuousFromOle(days_) < ContinuousFromOle(o.days_);
}

}  // namespace tv
