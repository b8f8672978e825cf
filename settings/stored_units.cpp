#include "settings/stored_units.h"

namespace tv {
namespace {

constexpr int kMinutesPerDay = 24 * 60;
// Any month with 31 days holds every day count; the year and month are never shown.
constexpr int kDayCountYear = 2000;
constexpr int kDayCountMonth = 1;
constexpr int kLongestDayCount = 31;

}  // namespace

int32_t MinutesOfTime(const DateTime& time) { return time.Hour() * 60 + time.Minute(); }

DateTime TimeFromMinutes(int32_t minutes) {
    if (minutes < 0 || minutes >= kMinutesPerDay) return DateTime::Invalid();
    return DateTime::FromParts(1899, 12, 30, minutes / 60, minutes % 60);
}

int32_t NumberOfDate(const DateTime& date) {
    return date.Year() * 10000 + date.Month() * 100 + date.Day();
}

DateTime DateFromNumber(int32_t number) {
    if (number <= 0) return DateTime::Invalid();
    return DateTime::FromParts(number / 10000, (number % 10000) / 100, number % 100);
}

int32_t DayCountOf(const DateTime& date) { return date.Day(); }

DateTime DateOfDayCount(int32_t days) {
    if (days < 1 || days > kLongestDayCount) return DateTime::Invalid();
    return DateTime::FromParts(kDayCountYear, kDayCountMonth, days);
}

}  // namespace tv
