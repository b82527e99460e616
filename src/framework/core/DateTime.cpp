#include "framework/core/DateTime.h"

#include <algorithm>

#include "framework/core/Exceptions.h"
#include "framework/core/Rounding.h"

namespace fw {

namespace {

constexpr int64_t kMsPerDay = 86400000;
// Day number (1 = 0001-01-01) of 30 December 1899, the zero of TDateTime.
constexpr int64_t kDateDelta = 693594;
constexpr int64_t kLastDayNumber = 3652059;  // 9999-12-31
constexpr int kDaysBeforeMonth[2][13] = {{0, 0, 31, 59, 90, 120, 151, 181, 212, 243, 273, 304, 334},
                                         {0, 0, 31, 60, 91, 121, 152, 182, 213, 244, 274, 305, 335}};

[[noreturn]] void ThrowDateEncode() { throw EConvertError("Invalid argument to date encode"); }

// The value as a day number (1 = 0001-01-01) and milliseconds into the day.
bool ToDayAndMs(TDateTime value, int64_t& dayNumber, int64_t& ms) {
    // Reject early what cannot lie in the calendar, so the rounding below
    // cannot overflow.
    if (!(value > MinDateTime - 1 && value < MaxDateTime + 1)) return false;
    const int64_t total = Round(static_cast<long double>(value) * kMsPerDay);
    dayNumber = kDateDelta + total / kMsPerDay;  // division truncates towards zero
    ms = (total < 0 ? -total : total) % kMsPerDay;
    return dayNumber >= 1 && dayNumber <= kLastDayNumber;
}

void DayNumberToDate(int64_t dayNumber, int& year, int& month, int& day) {
    constexpr int64_t kDays400 = 146097, kDays100 = 36524, kDays4 = 1461, kDays1 = 365;
    int64_t t = dayNumber - 1;
    int64_t y = 1 + t / kDays400 * 400;
    t %= kDays400;
    int64_t i = t / kDays100;
    t %= kDays100;
    if (i == 4) {  // the last day of a 400-year cycle
        --i;
        t += kDays100;
    }
    y += i * 100;
    y += t / kDays4 * 4;
    t %= kDays4;
    i = t / kDays1;
    t %= kDays1;
    if (i == 4) {  // the last day of a leap cycle
        --i;
        t += kDays1;
    }
    y += i;
    year = static_cast<int>(y);
    const int* before = kDaysBeforeMonth[IsLeapYear(year) ? 1 : 0];
    int m = 12;
    while (before[m] > t) --m;
    month = m;
    day = static_cast<int>(t - before[m]) + 1;
}

}  // namespace

bool IsLeapYear(int year) { return year % 4 == 0 && (year % 100 != 0 || year % 400 == 0); }

int DaysInMonth(int year, int month) {
    static constexpr int kDays[13] = {0, 31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    if (month < 1 || month > 12) return 0;
    return month == 2 && IsLeapYear(year) ? 29 : kDays[month];
}

bool TryEncodeDate(int year, int month, int day, TDateTime& result) {
    if (year < 1 || year > 9999 || day < 1 || day > DaysInMonth(year, month)) return false;
    const int64_t y = year - 1;
    const int64_t dayNumber =
        y * 365 + y / 4 - y / 100 + y / 400 + kDaysBeforeMonth[IsLeapYear(year) ? 1 : 0][month] + day;
    result = static_cast<TDateTime>(dayNumber - kDateDelta);
    return true;
}

TDateTime EncodeDate(int year, int month, int day) {
    TDateTime result;
    if (!TryEncodeDate(year, month, day, result)) ThrowDateEncode();
    return result;
}

bool TryEncodeTime(int hour, int minute, int second, int millisecond, TDateTime& result) {
    if (hour < 0 || hour > 23 || minute < 0 || minute > 59 || second < 0 || second > 59 || millisecond < 0 ||
        millisecond > 999)
        return false;
    const int64_t ms = ((static_cast<int64_t>(hour) * 60 + minute) * 60 + second) * 1000 + millisecond;
    result = static_cast<TDateTime>(static_cast<long double>(ms) / kMsPerDay);
    return true;
}

TDateTime EncodeTime(int hour, int minute, int second, int millisecond) {
    TDateTime result;
    if (!TryEncodeTime(hour, minute, second, millisecond, result))
        throw EConvertError("Invalid argument to time encode");
    return result;
}

bool DecodeDate(TDateTime value, int& year, int& month, int& day) {
    int64_t dayNumber = 0, ms = 0;
    if (!ToDayAndMs(value, dayNumber, ms)) {
        year = month = day = 0;
        return false;
    }
    DayNumberToDate(dayNumber, year, month, day);
    return true;
}

bool DecodeTime(TDateTime value, int& hour, int& minute, int& second, int& millisecond) {
    int64_t dayNumber = 0, ms = 0;
    if (!ToDayAndMs(value, dayNumber, ms)) {
        hour = minute = second = millisecond = 0;
        return false;
    }
    millisecond = static_cast<int>(ms % 1000);
    second = static_cast<int>(ms / 1000 % 60);
    minute = static_cast<int>(ms / 60000 % 60);
    hour = static_cast<int>(ms / 3600000);
    return true;
}

int DayOfWeek(TDateTime value) {
    int64_t dayNumber = 0, ms = 0;
    if (!ToDayAndMs(value, dayNumber, ms)) return 0;
    return static_cast<int>(dayNumber % 7) + 1;  // day 1 (0001-01-01) was a Monday
}

TDateTime IncMonth(TDateTime value, int months) {
    int64_t dayNumber = 0, ms = 0;
    if (!ToDayAndMs(value, dayNumber, ms)) ThrowDateEncode();
    int year, month, day;
    DayNumberToDate(dayNumber, year, month, day);
    const int64_t monthIndex = static_cast<int64_t>(year) * 12 + (month - 1) + months;
    const int64_t newYear = monthIndex / 12;
    if (monthIndex < 12 || newYear > 9999) ThrowDateEncode();
    const int newMonth = static_cast<int>(monthIndex % 12) + 1;
    const int newDay = std::min(day, DaysInMonth(static_cast<int>(newYear), newMonth));
    const TDateTime date = EncodeDate(static_cast<int>(newYear), newMonth, newDay);
    // The time of day is the magnitude of the fraction on either side of zero.
    const double time = static_cast<double>(ms) / kMsPerDay;
    return date >= 0 ? date + time : date - time;
}

}  // namespace fw
