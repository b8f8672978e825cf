// An OLE automation date: days since 1899-12-30 00:00 as a double (the fraction is the time of
// day) with a valid/invalid status. A time of day or an interval is a date on 1899-12-30; one
// minute is 1/1440 of a day. The parts of an invalid value read as -1.
#pragma once

#include <ctime>
#include <string>

namespace tv {

class DateTime {
  public:
    // Valid values lie within this many days of 1899-12-30.
    static constexpr double kMaxDays = 3615897.0;

    DateTime() = default;                   // invalid
    static DateTime FromDays(double days);  // invalid when out of range or not finite
    static DateTime Invalid() { return DateTime(); }
    // Calendar parts; invalid when a part is out of range (month 13, day 31 of April …).
    static DateTime FromParts(int year, int month, int day, int hour = 0, int minute = 0,
                              int second = 0);
    // A time of day / interval on 1899-12-30.
    static DateTime FromTime(int hour, int minute, int second = 0);
    // A point in time, taken as a local calendar date and time.
    static DateTime FromTimeT(std::time_t t);

    bool IsValid() const { return valid_; }
    double Days() const { return days_; }
    // Status word as stored by the program: 0 valid, 1 invalid.
    int Status() const { return valid_ ? 0 : 1; }

    int Year() const;
    int Month() const;
    int Day() const;
    int Hour() const;
    int Minute() const;
    int Second() const;
    int DayOfWeek() const;  // 1 Sunday .. 7 Saturday; -1 when invalid

    // The local time_t of this date-time; -1 when invalid.
    std::time_t ToTimeT() const;
    // strftime on the local calendar time; "" when invalid.
    std::string Format(const char* pattern) const;

    // Day-fraction arithmetic on the time line (so 1899-12-29 06:00, stored as -1.25, plus six
    // hours is -1.5); the result is invalid when an operand is or it leaves the range.
    DateTime operator+(double days) const;
    DateTime operator-(double days) const;
    // Difference in days; NaN when either value is invalid.
    double operator-(const DateTime& other) const;
    bool operator==(const DateTime& o) const { return valid_ == o.valid_ && days_ == o.days_; }
    bool operator!=(const DateTime& o) const { return !(*this == o); }
    // Earlier on the time line (so 1899-12-29 00:00, stored as -1.0, is before -1.25).
    bool operator<(const DateTime& o) const;

  private:
    double days_ = 0.0;
    bool valid_ = false;
};

constexpr double kOneMinute = 1.0 / 1440.0;
constexpr double kOneSecond = 1.0 / 86400.0;

}  // namespace tv
