// Calendar steps of date-time axes: the step table searches, rounding a date
// down to its day, half month, month or year, and stepping by the calendar.

#include <gtest/gtest.h>

#include "chart/scale/DateTimeSteps.h"
#include "framework/core/DateTime.h"
#include "framework/core/FormatSettings.h"

namespace chart {
namespace {

constexpr double kSecond = 1.0 / 86400;

double Date(int y, int m, int d) { return fw::EncodeDate(y, m, d); }

TEST(DateTimeSteps, NextStepIsTheEntryAfterTheLongestNotAbove) {
    EXPECT_DOUBLE_EQ(NextDateTimeStep(kSecond), 5 * kSecond);
    EXPECT_DOUBLE_EQ(NextDateTimeStep(2 * kSecond), 5 * kSecond);
    EXPECT_DOUBLE_EQ(NextDateTimeStep(1), 2);
    EXPECT_DOUBLE_EQ(NextDateTimeStep(7), 15);
    EXPECT_DOUBLE_EQ(NextDateTimeStep(182), 365);
    EXPECT_DOUBLE_EQ(NextDateTimeStep(300), 365);
    // Below every entry the answer is a year.
    EXPECT_DOUBLE_EQ(NextDateTimeStep(kSecond / 2), 365);
}

TEST(DateTimeSteps, FindMatchesWithinOneSecond) {
    EXPECT_EQ(FindDateTimeStep(1), dtOneDay);
    EXPECT_EQ(FindDateTimeStep(1 + 0.5 * kSecond), dtOneDay);
    EXPECT_EQ(FindDateTimeStep(1 + 2 * kSecond), dtNone);
    EXPECT_EQ(FindDateTimeStep(365), dtOneYear);
    EXPECT_EQ(FindDateTimeStep(15), dtHalfMonth);
    EXPECT_EQ(FindDateTimeStep(1.0 / 24), dtOneHour);
    EXPECT_EQ(FindDateTimeStep(4), dtNone);
}

TEST(DateTimeSteps, CalendarStepMovesUpToTheComputedIncrement) {
    EXPECT_EQ(CalendarStepFor(0, 30), dtNone);
    EXPECT_EQ(CalendarStepFor(4, 30), dtNone);
    EXPECT_EQ(CalendarStepFor(30, 30), dtOneMonth);
    // A month was asked for, but 90 days are needed: two months, then three.
    EXPECT_EQ(CalendarStepFor(30, 90), dtThreeMonths);
    // Never past a year.
    EXPECT_EQ(CalendarStepFor(30, 1460), dtOneYear);
}

TEST(DateTimeSteps, RoundDateDropsTheTimeAndMovesToTheStepStart) {
    const double t = Date(2024, 5, 20) + 0.7;
    EXPECT_DOUBLE_EQ(ChartRoundDate(t, dtOneDay), Date(2024, 5, 20));
    EXPECT_DOUBLE_EQ(ChartRoundDate(t, dtOneHour), Date(2024, 5, 20));
    EXPECT_DOUBLE_EQ(ChartRoundDate(t, dtHalfMonth), Date(2024, 5, 15));
    EXPECT_DOUBLE_EQ(ChartRoundDate(Date(2024, 5, 14) + 0.2, dtHalfMonth), Date(2024, 5, 1));
    EXPECT_DOUBLE_EQ(ChartRoundDate(t, dtOneMonth), Date(2024, 5, 1));
    EXPECT_DOUBLE_EQ(ChartRoundDate(t, dtSixMonths), Date(2024, 5, 1));
    EXPECT_DOUBLE_EQ(ChartRoundDate(t, dtOneYear), Date(2024, 1, 1));
    // Up to 1 January 1900 (day 2) nothing changes.
    EXPECT_DOUBLE_EQ(ChartRoundDate(1.5, dtOneYear), 1.5);
    EXPECT_DOUBLE_EQ(ChartRoundDate(2.0, dtOneDay), 2.0);
    EXPECT_DOUBLE_EQ(ChartRoundDate(-40.5, dtOneMonth), -40.5);
}

TEST(DateTimeSteps, HalfMonthsDownward) {
    double v = Date(2024, 3, 20);
    ChartDateTimeIncrement(true, false, v, 15, dtHalfMonth);
    EXPECT_DOUBLE_EQ(v, Date(2024, 3, 15));
    ChartDateTimeIncrement(true, false, v, 15, dtHalfMonth);
    EXPECT_DOUBLE_EQ(v, Date(2024, 3, 1));
    ChartDateTimeIncrement(true, false, v, 15, dtHalfMonth);
    EXPECT_DOUBLE_EQ(v, Date(2024, 2, 15));
    v = Date(2024, 1, 1) + 0.5;
    ChartDateTimeIncrement(true, false, v, 15, dtHalfMonth);
    EXPECT_DOUBLE_EQ(v, Date(2023, 12, 15));
}

TEST(DateTimeSteps, MonthsAndYearsThroughTheYearBoundary) {
    double v = Date(2024, 2, 17) + 0.3;
    ChartDateTimeIncrement(true, false, v, 90, dtThreeMonths);
    EXPECT_DOUBLE_EQ(v, Date(2023, 11, 1));
    ChartDateTimeIncrement(true, true, v, 180, dtSixMonths);
    EXPECT_DOUBLE_EQ(v, Date(2024, 5, 1));
    ChartDateTimeIncrement(true, true, v, 120, dtFourMonths);
    EXPECT_DOUBLE_EQ(v, Date(2024, 9, 1));
    v = Date(2024, 2, 29);
    ChartDateTimeIncrement(true, false, v, 365, dtOneYear);
    EXPECT_DOUBLE_EQ(v, Date(2023, 2, 28));
    v = Date(2023, 6, 10) + 0.25;
    ChartDateTimeIncrement(true, true, v, 365, dtOneYear);
    EXPECT_DOUBLE_EQ(v, Date(2024, 6, 10));
}

TEST(DateTimeSteps, PlainStepsAddTheIncrement) {
    double v = Date(2024, 1, 10) + 0.5;
    ChartDateTimeIncrement(false, false, v, 30, dtOneMonth);
    EXPECT_DOUBLE_EQ(v, Date(2023, 12, 11) + 0.5);
    ChartDateTimeIncrement(true, true, v, 7, dtOneWeek);
    EXPECT_DOUBLE_EQ(v, Date(2023, 12, 18) + 0.5);
    // Outside the calendar the increment is taken as it is.
    v = 1e9;
    ChartDateTimeIncrement(true, false, v, 30, dtOneMonth);
    EXPECT_DOUBLE_EQ(v, 1e9 - 30);
}

TEST(DateTimeSteps, DefaultFormatByRange) {
    const fw::FormatSettings& settings = fw::DefaultFormatSettings();
    EXPECT_EQ(DateTimeDefaultFormat(2), settings.ShortDateFormat);
    EXPECT_EQ(DateTimeDefaultFormat(1), settings.ShortTimeFormat);
    EXPECT_EQ(DateTimeDefaultFormat(0.1), settings.ShortTimeFormat);
}

}  // namespace
}  // namespace chart
