#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "framework/core/DateTime.h"
#include "framework/core/Exceptions.h"

namespace {

using fw::TDateTime;

TEST(DateTime, KnownDays) {
    EXPECT_EQ(fw::EncodeDate(1899, 12, 30), 0.0);
    EXPECT_EQ(fw::EncodeDate(1899, 12, 31), 1.0);
    EXPECT_EQ(fw::EncodeDate(1900, 1, 1), 2.0);
    EXPECT_EQ(fw::EncodeDate(1900, 3, 1), 61.0);  // 1900 is no leap year
    EXPECT_EQ(fw::EncodeDate(2000, 1, 1), 36526.0);
    EXPECT_EQ(fw::EncodeDate(1, 1, 1), fw::MinDateTime);
    EXPECT_EQ(fw::EncodeDate(9999, 12, 31), std::floor(fw::MaxDateTime));
    EXPECT_EQ(fw::DayOfWeek(fw::EncodeDate(2000, 1, 1)), 7);  // a Saturday
    EXPECT_EQ(fw::DayOfWeek(fw::EncodeDate(2024, 3, 5)), 3);  // a Tuesday
}

// Walks the whole calendar one day at a time with its own month lengths: the
// encoding must count up by one and decode back to the same date.
TEST(DateTime, EveryDayOfTheCalendarEncodesInSequenceAndDecodesBack) {
    const int monthLength[13] = {0, 31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    double expected = fw::MinDateTime;
    for (int year = 1; year <= 9999; ++year) {
        const bool leap = year % 4 == 0 && (year % 100 != 0 || year % 400 == 0);
        ASSERT_EQ(fw::IsLeapYear(year), leap) << year;
        for (int month = 1; month <= 12; ++month) {
            const int days = monthLength[month] + (month == 2 && leap ? 1 : 0);
            ASSERT_EQ(fw::DaysInMonth(year, month), days);
            for (int day = 1; day <= days; ++day, expected += 1) {
                TDateTime value;
                ASSERT_TRUE(fw::TryEncodeDate(year, month, day, value));
                ASSERT_EQ(value, expected) << year << "-" << month << "-" << day;
                int y, m, d;
                // Noon of that day: the fraction's magnitude is the time on either side of zero.
                ASSERT_TRUE(fw::DecodeDate(value < 0 ? value - 0.5 : value + 0.5, y, m, d));
                ASSERT_TRUE(y == year && m == month && d == day) << year << "-" << month << "-" << day;
            }
        }
    }
}

TEST(DateTime, InvalidDatesAreRefused) {
    TDateTime value = 123;
    EXPECT_FALSE(fw::TryEncodeDate(1900, 2, 29, value));
    EXPECT_FALSE(fw::TryEncodeDate(2023, 13, 1, value));
    EXPECT_FALSE(fw::TryEncodeDate(2023, 0, 1, value));
    EXPECT_FALSE(fw::TryEncodeDate(2023, 4, 31, value));
    EXPECT_FALSE(fw::TryEncodeDate(0, 1, 1, value));
    EXPECT_FALSE(fw::TryEncodeDate(10000, 1, 1, value));
    EXPECT_EQ(value, 123);
    EXPECT_TRUE(fw::TryEncodeDate(2000, 2, 29, value));
    try {
        fw::EncodeDate(2023, 2, 29);
        FAIL() << "no error";
    } catch (const fw::EConvertError& e) {
        EXPECT_EQ(e.Message(), "Invalid argument to date encode");
    }
    EXPECT_EQ(fw::DaysInMonth(2023, 0), 0);
}

TEST(DateTime, TimeEncodesAsFractionOfADay) {
    EXPECT_EQ(fw::EncodeTime(12, 0, 0, 0), 0.5);
    EXPECT_EQ(fw::EncodeTime(6, 0, 0, 0), 0.25);
    EXPECT_EQ(fw::EncodeTime(0, 0, 0, 0), 0.0);
    EXPECT_DOUBLE_EQ(fw::EncodeTime(23, 59, 59, 999), 86399999.0 / 86400000.0);
    try {
        fw::EncodeTime(24, 0, 0, 0);
        FAIL() << "no error";
    } catch (const fw::EConvertError& e) {
        EXPECT_EQ(e.Message(), "Invalid argument to time encode");
    }
    TDateTime value;
    EXPECT_FALSE(fw::TryEncodeTime(0, 60, 0, 0, value));
    EXPECT_FALSE(fw::TryEncodeTime(0, 0, 60, 0, value));
    EXPECT_FALSE(fw::TryEncodeTime(0, 0, 0, 1000, value));
    EXPECT_FALSE(fw::TryEncodeTime(-1, 0, 0, 0, value));
}

TEST(DateTime, TimesOfDayRoundTripOnADate) {
    const TDateTime date = fw::EncodeDate(2024, 3, 5);
    for (int ms = 0; ms < 86400000; ms += 997) {
        const int h = ms / 3600000, n = ms / 60000 % 60, s = ms / 1000 % 60, z = ms % 1000;
        const TDateTime value = date + fw::EncodeTime(h, n, s, z);
        int hh, nn, ss, zz, y, m, d;
        ASSERT_TRUE(fw::DecodeTime(value, hh, nn, ss, zz));
        ASSERT_TRUE(hh == h && nn == n && ss == s && zz == z) << ms;
        ASSERT_TRUE(fw::DecodeDate(value, y, m, d));
        ASSERT_TRUE(y == 2024 && m == 3 && d == 5) << ms;
    }
}

TEST(DateTime, NegativeValuesAndMillisecondRounding) {
    int y, m, d, h, n, s, z;
    ASSERT_TRUE(fw::DecodeDate(-1.25, y, m, d));
    EXPECT_TRUE(y == 1899 && m == 12 && d == 29);
    ASSERT_TRUE(fw::DecodeTime(-1.25, h, n, s, z));
    EXPECT_TRUE(h == 6 && n == 0 && s == 0 && z == 0);
    // A hair before midnight is midnight of the next day, date and time alike.
    ASSERT_TRUE(fw::DecodeDate(0.9999999999, y, m, d));
    EXPECT_TRUE(y == 1899 && m == 12 && d == 31);
    ASSERT_TRUE(fw::DecodeTime(0.9999999999, h, n, s, z));
    EXPECT_TRUE(h == 0 && n == 0 && s == 0 && z == 0);
}

TEST(DateTime, OutsideTheCalendarDecodesToZeros) {
    int y = 1, m = 1, d = 1, h = 1, n = 1, s = 1, z = 1;
    EXPECT_FALSE(fw::DecodeDate(fw::MaxDateTime + 1, y, m, d));
    EXPECT_TRUE(y == 0 && m == 0 && d == 0);
    EXPECT_FALSE(fw::DecodeTime(1e300, h, n, s, z));
    EXPECT_TRUE(h == 0 && n == 0 && s == 0 && z == 0);
    EXPECT_FALSE(fw::DecodeDate(fw::MinDateTime - 1, y, m, d));
    EXPECT_FALSE(fw::DecodeDate(std::numeric_limits<double>::quiet_NaN(), y, m, d));
    EXPECT_FALSE(fw::DecodeDate(std::numeric_limits<double>::infinity(), y, m, d));
    EXPECT_EQ(fw::DayOfWeek(-1e9), 0);
    EXPECT_TRUE(fw::DecodeDate(fw::MaxDateTime, y, m, d));
    EXPECT_TRUE(y == 9999 && m == 12 && d == 31);
}

TEST(IncMonth, ClampsTheDayAndKeepsTheTime) {
    const TDateTime noon = fw::EncodeTime(12, 0, 0, 0);
    EXPECT_EQ(fw::IncMonth(fw::EncodeDate(2024, 1, 31) + noon, 1), fw::EncodeDate(2024, 2, 29) + noon);
    EXPECT_EQ(fw::IncMonth(fw::EncodeDate(2023, 1, 31), 1), fw::EncodeDate(2023, 2, 28));
    EXPECT_EQ(fw::IncMonth(fw::EncodeDate(2023, 11, 15), 3), fw::EncodeDate(2024, 2, 15));
    EXPECT_EQ(fw::IncMonth(fw::EncodeDate(2024, 1, 1), -1), fw::EncodeDate(2023, 12, 1));
    EXPECT_EQ(fw::IncMonth(fw::EncodeDate(2024, 2, 29), 12), fw::EncodeDate(2025, 2, 28));
    EXPECT_EQ(fw::IncMonth(fw::EncodeDate(2024, 3, 31), -25), fw::EncodeDate(2022, 2, 28));
    EXPECT_EQ(fw::IncMonth(-1.25, 1), fw::EncodeDate(1900, 1, 29) + 0.25);
    EXPECT_EQ(fw::IncMonth(fw::EncodeDate(1899, 11, 29), 0), fw::EncodeDate(1899, 11, 29));
    EXPECT_THROW(fw::IncMonth(fw::EncodeDate(9999, 12, 1), 1), fw::EConvertError);
    EXPECT_THROW(fw::IncMonth(fw::EncodeDate(1, 1, 1), -1), fw::EConvertError);
    EXPECT_THROW(fw::IncMonth(1e300, 1), fw::EConvertError);
}

TEST(IncMonth, NegativeDatesKeepTheirTimeOfDay) {
    // 1899-11-29 06:00 is -31.25; a month later, 1899-12-29 06:00, is -1.25.
    const TDateTime value = fw::EncodeDate(1899, 11, 29) - 0.25;
    EXPECT_EQ(fw::IncMonth(value, 1), -1.25);
}

}  // namespace
