// Serial numbers for media: the layout of the digits and their count across the years.
#include "cardprobe/serial_number.h"

#include <gtest/gtest.h>

#include <climits>
#include <cstdlib>
#include <cstring>
#include <string>

#include "tests/support/scoped_time_zone.h"

namespace tv::cardprobe {
namespace {

std::tm LocalTime(int year, int yday, int hour, int minute, int second) {
    std::tm t{};
    t.tm_year = year - 1900;
    t.tm_yday = yday;
    t.tm_hour = hour;
    t.tm_min = minute;
    t.tm_sec = second;
    return t;
}

// The moment of a UTC calendar time; the Windows C runtime names timegm differently.
std::time_t UtcMoment(std::tm* t) {
#ifdef _WIN32
    return ::_mkgmtime(t);
#else
    return ::timegm(t);
#endif
}

TEST(MediaSerialNumberTest, DigitsAreYearDayTimeAndRandomPart) {
    char out[17];
    EXPECT_EQ(FormatSerialNumber(LocalTime(2005, 40, 13, 7, 9), 42, out), 16);
    EXPECT_STREQ(out, "1050401307090042");
    EXPECT_EQ(FormatSerialNumber(LocalTime(2000, 0, 0, 0, 0), 0, out), 16);
    EXPECT_STREQ(out, "1000000000000000");
    EXPECT_EQ(FormatSerialNumber(LocalTime(1999, 364, 23, 59, 59), 9999, out), 15);
    EXPECT_STREQ(out, "993642359599999");
}

TEST(MediaSerialNumberTest, LaterYearsNeverOverrunTheBuffer) {
    char out[18];
    out[17] = '#';
    EXPECT_EQ(FormatSerialNumber(LocalTime(2900, 0, 0, 0, 0), 0, out), 16);
    EXPECT_STREQ(out, "1000000000000000");
    EXPECT_EQ(out[17], '#');
}

TEST(MediaSerialNumberTest, RandomPartStaysWithinFourDigits) {
    struct Case {
        unsigned long raw;
        int part;
    } cases[] = {{0, 0},        {1, 0},        {32767, 9999},    {32768, 0},       {32769, 0},
                 {16384, 4999}, {65535, 9999}, {RAND_MAX, 9999}, {ULONG_MAX, 9999}};
    for (const Case& c : cases) EXPECT_EQ(ScaleRandom(c.raw), c.part) << c.raw;
}

TEST(MediaSerialNumberTest, SixteenDigitsForEveryYearFrom2000To2899) {
    const test::ScopedTimeZone zone("UTC");
    for (int year = 2000; year <= 2899; ++year) {
        for (int month : {0, 11}) {
            std::tm t{};
            t.tm_year = year - 1900;
            t.tm_mon = month;
            t.tm_mday = month == 0 ? 1 : 31;
            t.tm_hour = month == 0 ? 0 : 23;
            t.tm_min = month == 0 ? 0 : 59;
            t.tm_sec = month == 0 ? 0 : 59;
            char out[17];
            ASSERT_EQ(MakeSerialNumberAt(UtcMoment(&t), out), 16) << year;
            ASSERT_EQ(std::strspn(out, "0123456789"), 16u) << year << ": " << out;
            ASSERT_EQ(std::string(out, 3), std::to_string(year - 1900)) << year;
            ASSERT_EQ(std::string(out + 6, 6), month == 0 ? "000000" : "235959") << year;
        }
    }
}

}  // namespace
}  // namespace tv::cardprobe
