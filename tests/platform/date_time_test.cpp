#include "platform/date_time.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <ctime>
#include <optional>

#include "tests/support/scoped_time_zone.h"

namespace tv {
namespace {

class DateTimeTest : public ::testing::Test {
  protected:
    void SetUp() override { UseZone("Asia/Tokyo"); }
    void UseZone(const char* zone) {
        zone_.reset();
        zone_.emplace(zone);
    }

  private:
    std::optional<test::ScopedTimeZone> zone_;
};

struct CalendarCase {
    double days;
    int year, month, day, hour, minute, second, dayOfWeek;
};

// Written out from the calendar by hand: the day count since 1899-12-30 and what it reads as.
const CalendarCase kCalendar[] = {
    {0.0, 1899, 12, 30, 0, 0, 0, 7},
    {1.0, 1899, 12, 31, 0, 0, 0, 1},
    {2.0, 1900, 1, 1, 0, 0, 0, 2},
    {60.0, 1900, 2, 28, 0, 0, 0, 4},  // 1900 is not a leap year
    {61.0, 1900, 3, 1, 0, 0, 0, 5},
    {25569.0, 1970, 1, 1, 0, 0, 0, 5},
    {36585.5, 2000, 2, 29, 12, 0, 0, 3},  // 2000 is
    {38534.0 + 0.5 / 24, 2005, 7, 1, 0, 30, 0, 6},
    {2958465.0, 9999, 12, 31, 0, 0, 0, 6},
    {-1.0, 1899, 12, 29, 0, 0, 0, 6},
    {-1.25, 1899, 12, 29, 6, 0, 0, 6},  // the fraction counts forward from the day
    {-2.75, 1899, 12, 28, 18, 0, 0, 5},
    {-693593.0, 1, 1, 1, 0, 0, 0, 2},
    {-693594.0, 0, 12, 31, 0, 0, 0, 1},  // astronomical year 0, a leap year
    {-693960.0, -1, 12, 31, 0, 0, 0, 6},
    {3615897.0, 11799, 12, 26, 0, 0, 0, 5},
    {-3615897.0, -8000, 1, 3, 0, 0, 0, 2},
};

TEST_F(DateTimeTest, DayCountsReadAsCalendarParts) {
    for (const CalendarCase& c : kCalendar) {
        SCOPED_TRACE(c.days);
        const DateTime value = DateTime::FromDays(c.days);
        ASSERT_TRUE(value.IsValid());
        EXPECT_EQ(value.Year(), c.year);
        EXPECT_EQ(value.Month(), c.month);
        EXPECT_EQ(value.Day(), c.day);
        EXPECT_EQ(value.Hour(), c.hour);
        EXPECT_EQ(value.Minute(), c.minute);
        EXPECT_EQ(value.Second(), c.second);
        EXPECT_EQ(value.DayOfWeek(), c.dayOfWeek);
        const DateTime built =
            DateTime::FromParts(c.year, c.month, c.day, c.hour, c.minute, c.second);
        EXPECT_EQ(built.Days(), c.days);
    }
}

TEST_F(DateTimeTest, EpochIsZero) {
    const DateTime epoch = DateTime::FromParts(1899, 12, 30);
    EXPECT_TRUE(epoch.IsValid());
    EXPECT_EQ(epoch.Days(), 0.0);
    EXPECT_EQ(epoch.Status(), 0);
}

TEST_F(DateTimeTest, HalfPastNineRoundTripsThroughItsParts) {
    const DateTime value = DateTime::FromParts(2005, 7, 1, 9, 30, 0);
    EXPECT_NEAR(value.Days(), 38534.395833333333, 1e-9);
    const DateTime again = DateTime::FromDays(value.Days());
    EXPECT_EQ(again.Year(), 2005);
    EXPECT_EQ(again.Month(), 7);
    EXPECT_EQ(again.Day(), 1);
    EXPECT_EQ(again.Hour(), 9);
    EXPECT_EQ(again.Minute(), 30);
    EXPECT_EQ(again.Second(), 0);
    EXPECT_EQ(again.Format("%Y/%m/%d %H:%M:%S"), "2005/07/01 09:30:00");
}

TEST_F(DateTimeTest, InvalidValueHasMinusOneParts) {
    for (const DateTime& value :
         {DateTime(), DateTime::Invalid(), DateTime::FromDays(NAN), DateTime::FromDays(INFINITY),
          DateTime::FromParts(2005, 13, 1), DateTime::FromParts(2005, 4, 31),
          DateTime::FromParts(2005, 2, 29), DateTime::FromParts(2005, 1, 0),
          DateTime::FromParts(2005, 1, 1, 24), DateTime::FromParts(2005, 1, 1, 0, 60),
          DateTime::FromParts(2005, 1, 1, 0, 0, 60), DateTime::FromTime(-1, 0)}) {
        EXPECT_FALSE(value.IsValid());
        EXPECT_EQ(value.Status(), 1);
        EXPECT_EQ(value.Year(), -1);
        EXPECT_EQ(value.Month(), -1);
        EXPECT_EQ(value.Day(), -1);
        EXPECT_EQ(value.Hour(), -1);
        EXPECT_EQ(value.Minute(), -1);
        EXPECT_EQ(value.Second(), -1);
        EXPECT_EQ(value.DayOfWeek(), -1);
        EXPECT_EQ(value.ToTimeT(), -1);
        EXPECT_EQ(value.Format("%Y"), "");
        EXPECT_FALSE((value + 1.0).IsValid());
        EXPECT_TRUE(std::isnan(value - DateTime::FromDays(0)));
    }
}

TEST_F(DateTimeTest, RangeEndsAtTheLimitOnBothSides) {
    EXPECT_TRUE(DateTime::FromDays(DateTime::kMaxDays).IsValid());
    EXPECT_TRUE(DateTime::FromDays(-DateTime::kMaxDays).IsValid());
    EXPECT_FALSE(DateTime::FromDays(DateTime::kMaxDays + kOneSecond).IsValid());
    EXPECT_FALSE(DateTime::FromDays(-DateTime::kMaxDays - kOneSecond).IsValid());
    const DateTime last = DateTime::FromDays(DateTime::kMaxDays);
    EXPECT_FALSE((last + kOneSecond).IsValid());
    EXPECT_TRUE((last - kOneSecond).IsValid());
    EXPECT_FALSE(DateTime::FromParts(11799, 12, 26, 0, 0, 1).IsValid());
    EXPECT_TRUE(DateTime::FromParts(-8000, 1, 3).IsValid());
    EXPECT_FALSE(DateTime::FromParts(-8000, 1, 2, 23, 59, 59).IsValid());
}

TEST_F(DateTimeTest, MinutesAreFractionsOfADay) {
    const DateTime ninety = DateTime::FromDays(0) + 90 * kOneMinute;
    EXPECT_EQ(ninety.Hour(), 1);
    EXPECT_EQ(ninety.Minute(), 30);
    EXPECT_EQ(ninety.Year(), 1899);
    EXPECT_NEAR(DateTime::FromTime(1, 30).Days(), 90.0 / 1440.0, 1e-15);

    const DateTime evening = DateTime::FromParts(2005, 7, 1, 23, 55);
    const DateTime next = evening + 10 * kOneMinute;
    EXPECT_EQ(next.Format("%Y/%m/%d %H:%M:%S"), "2005/07/02 00:05:00");
    EXPECT_EQ((next - 10 * kOneMinute).Format("%H:%M:%S"), "23:55:00");
    EXPECT_NEAR(next - evening, 10 * kOneMinute, 1e-9);
    // Adding seconds one at a time does not drift off the whole second.
    DateTime stepped = evening;
    for (int i = 0; i < 3600; ++i) stepped = stepped + kOneSecond;
    EXPECT_EQ(stepped.Format("%H:%M:%S"), "00:55:00");
}

TEST_F(DateTimeTest, ArithmeticCrossesTheEpochOnTheTimeLine) {
    const DateTime morning = DateTime::FromDays(-1.25);  // 1899-12-29 06:00
    EXPECT_EQ((morning + 0.25).Days(), -1.5);            // 12:00 the same day
    EXPECT_EQ((morning + 1.0).Days(), 0.25);             // 1899-12-30 06:00
    EXPECT_EQ((DateTime::FromDays(0.25) - 0.5).Days(), -1.75);
    EXPECT_EQ(DateTime::FromDays(0.25) - morning, 1.0);
    EXPECT_TRUE(DateTime::FromDays(-1.75) < DateTime::FromDays(0.25));
    // Before the epoch a larger fraction is a later hour of the same day.
    EXPECT_TRUE(DateTime::FromDays(-1.0) < morning);
    EXPECT_FALSE(morning < DateTime::FromDays(-1.0));
    EXPECT_TRUE(DateTime::FromDays(-2.75) < DateTime::FromDays(-1.0));
}

TEST_F(DateTimeTest, TimeTConvertsThroughLocalTime) {
    const std::time_t t = 1120210200;  // 2005-07-01 09:30:00 UTC
    const DateTime tokyo = DateTime::FromTimeT(t);
    EXPECT_EQ(tokyo.Format("%Y/%m/%d %H:%M:%S"), "2005/07/01 18:30:00");
    EXPECT_EQ(tokyo.ToTimeT(), t);

    UseZone("UTC");
    const DateTime utc = DateTime::FromTimeT(t);
    EXPECT_EQ(utc.Format("%Y/%m/%d %H:%M:%S %a"), "2005/07/01 09:30:00 Fri");
    EXPECT_EQ(utc.ToTimeT(), t);
    EXPECT_EQ(DateTime::FromParts(1970, 1, 1).ToTimeT(), 0);
    EXPECT_EQ(DateTime::FromParts(1850, 1, 1).ToTimeT(), -3786825600);
}

TEST_F(DateTimeTest, FormatsFarDatesAndEmptyPatterns) {
    EXPECT_EQ(DateTime::FromParts(1600, 2, 29, 7, 8, 9).Format("%Y-%m-%d %H:%M:%S %j"),
              "1600-02-29 07:08:09 060");
    EXPECT_EQ(DateTime::FromParts(9999, 12, 31).Format("%A"), "Friday");
    EXPECT_EQ(DateTime::FromDays(0).Format(""), "");
}

}  // namespace
}  // namespace tv
