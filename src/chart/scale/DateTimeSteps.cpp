#include "chart/scale/DateTimeSteps.h"

#include <algorithm>
#include <cmath>

#include "framework/core/DateTime.h"
#include "framework/core/FormatSettings.h"

namespace chart {

namespace {

constexpr double kOneSecond = 1.0 / 86400;
// 1 January 1900: earlier dates are not rounded to the calendar.
constexpr double kFirstRoundedDate = 2;

// The date d moved by months, on the first day of its month.
bool FirstOfMonthAfter(int year, int month, int months, double& result) {
    const int index = year * 12 + (month - 1) + months;
    const int y = index >= 0 ? index / 12 : -((-index + 11) / 12);
    const int m = index - y * 12 + 1;
    return fw::TryEncodeDate(y, m, 1, result);
}

bool CalendarStep(bool up, double& value, TDateTimeStep step) {
    int year = 0;
    int month = 0;
    int day = 0;
    if (!fw::DecodeDate(value, year, month, day)) return false;
    double result = 0;
    if (step == dtHalfMonth) {
        if (up) {
            if (day < 15) return fw::TryEncodeDate(year, month, 15, value);
            if (!FirstOfMonthAfter(year, month, 1, result)) return false;
        } else {
            if (day > 15) return fw::TryEncodeDate(year, month, 15, value);
            if (day > 1) return fw::TryEncodeDate(year, month, 1, value);
            if (!FirstOfMonthAfter(year, month, -1, result)) return false;
            result += 14;
        }
    } else if (const int months = StepMonths(step); months > 0) {
        if (!FirstOfMonthAfter(year, month, up ? months : -months, result)) return false;
    } else if (step == dtOneYear) {
        const int y = year + (up ? 1 : -1);
        // 29 February goes to the 28th in a year without it.
        if (!fw::TryEncodeDate(y, month, std::min(day, fw::DaysInMonth(y, month)), result)) return false;
    } else {
        return false;
    }
    value = result;
    return true;
}

}  // namespace

int32_t StepMonths(TDateTimeStep step) {
    switch (step) {
    case dtOneMonth: return 1;
    case dtTwoMonths: return 2;
    case dtThreeMonths: return 3;
    case dtFourMonths: return 4;
    case dtSixMonths: return 6;
    default: return 0;
    }
}

double NextDateTimeStep(double x) {
    for (int t = dtSixMonths; t >= dtOneSecond; --t) {
        if (x >= DateTimeStep[t]) return DateTimeStep[t + 1];
    }
    return DateTimeStep[dtOneYear];
}

TDateTimeStep FindDateTimeStep(double x) {
    for (int t = dtOneYear; t >= dtOneSecond; --t) {
        if (std::fabs(DateTimeStep[t] - x) < kOneSecond) return static_cast<TDateTimeStep>(t);
    }
    return dtNone;
}

TDateTimeStep CalendarStepFor(double desiredIncrement, double computedIncrement) {
    if (desiredIncrement == 0) return dtNone;
    TDateTimeStep step = FindDateTimeStep(desiredIncrement);
    if (step == dtNone) return dtNone;
    while (computedIncrement > DateTimeStep[step] && step != dtOneYear) step = static_cast<TDateTimeStep>(step + 1);
    return step;
}

double ChartRoundDate(double value, TDateTimeStep step) {
    if (!(value > kFirstRoundedDate)) return value;
    int year = 0;
    int month = 0;
    int day = 0;
    if (!fw::DecodeDate(value, year, month, day)) return value;
    if (step == dtHalfMonth) {
        day = day < 15 ? 1 : 15;
    } else if (StepMonths(step) > 0) {
        day = 1;
    } else if (step == dtOneYear) {
        day = 1;
        month = 1;
    }
    double result = value;
    fw::TryEncodeDate(year, month, day, result);
    return result;
}

void ChartDateTimeIncrement(bool calendar, bool up, double& value, double increment, TDateTimeStep step) {
    if (calendar && CalendarStep(up, value, step)) return;
    value = up ? value + increment : value - increment;
}

std::string DateTimeDefaultFormat(double range) {
    const fw::FormatSettings& settings = fw::DefaultFormatSettings();
    return range > 1 ? settings.ShortDateFormat : settings.ShortTimeFormat;
}

}  // namespace chart
