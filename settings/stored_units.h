// How the date-time fields of the record are stored as whole numbers. A part of an unset value
// reads as -1, and that is what gets stored: an unset time becomes -61, an unset date -10101,
// an unset day count -1. Reading such a number back gives an unset value again.
#pragma once

#include <cstdint>

#include "platform/date_time.h"

namespace tv {

// A time of day as hours x 60 + minutes.
int32_t MinutesOfTime(const DateTime& time);
// v / 60 hours and v mod 60 minutes on 1899-12-30; unset unless 0 <= v < 24 x 60.
DateTime TimeFromMinutes(int32_t minutes);

// A date as year x 10000 + month x 100 + day (20050701).
int32_t NumberOfDate(const DateTime& date);
// Unset when the parts make no calendar date.
DateTime DateFromNumber(int32_t number);

// The log keeps its days as a date whose day of month is the count (1 to 31).
int32_t DayCountOf(const DateTime& date);
// Unset when the count is outside 1 to 31.
DateTime DateOfDayCount(int32_t days);

}  // namespace tv
