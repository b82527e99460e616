#pragma once
// The calendar steps of date-time axes: their lengths in days, the search
// for the next longer step, and stepping and rounding dates to whole days,
// half months, months and years.

#include <array>
#include <cstdint>
#include <string>

namespace chart {

enum TDateTimeStep {
    dtOneSecond,
    dtFiveSeconds,
    dtTenSeconds,
    dtFifteenSeconds,
    dtThirtySeconds,
    dtOneMinute,
    dtFiveMinutes,
    dtTenMinutes,
    dtFifteenMinutes,
    dtThirtyMinutes,
    dtOneHour,
    dtTwoHours,
    dtSixHours,
    dtTwelveHours,
    dtOneDay,
    dtTwoDays,
    dtThreeDays,
    dtOneWeek,
    dtHalfMonth,
    dtOneMonth,
    dtTwoMonths,
    dtThreeMonths,
    dtFourMonths,
    dtSixMonths,
    dtOneYear,
    dtNone,
};

// Length of each step in days (dtNone has none).
// clang-format off
inline constexpr std::array<double, dtNone> DateTimeStep = {
    1.0 / 86400, 5.0 / 86400, 10.0 / 86400, 15.0 / 86400, 30.0 / 86400, 1.0 / 1440, 5.0 / 1440,
    10.0 / 1440, 15.0 / 1440, 30.0 / 1440,  1.0 / 24,     2.0 / 24,     6.0 / 24,   12.0 / 24,
    1,           2,           3,            7,            15,           30,         60,
    90,          120,         182,          365,
};
// clang-format on

// The length of the step after the longest table step not above x; a year
// for x below one second.
double NextDateTimeStep(double x);

// The step whose length is within one second of x, or dtNone.
TDateTimeStep FindDateTimeStep(double x);

// The step labels of a date-time axis fall on: FindDateTimeStep(increment),
// moved up while the computed increment is longer than the step (up to a
// year). dtNone without a desired increment or when none matches.
TDateTimeStep CalendarStepFor(double desiredIncrement, double computedIncrement);

// value with the time of day dropped and, for half-month and longer steps,
// moved back to the first day of its half month, month or year. Values up
// to 1 January 1900 are returned unchanged.
double ChartRoundDate(double value, TDateTimeStep step);

// One step up or down: with calendar, half months, months and years go by
// the calendar (to the first of the month, or the 15th for half months) and
// the time of day is dropped; otherwise increment days are added or taken.
void ChartDateTimeIncrement(bool calendar, bool up, double& value, double increment, TDateTimeStep step);

// Months of each calendar step from dtOneMonth to dtSixMonths; 0 for others.
int32_t StepMonths(TDateTimeStep step);

// The locale's short date format for ranges longer than a day, else its
// short time format.
std::string DateTimeDefaultFormat(double range);

}  // namespace chart
