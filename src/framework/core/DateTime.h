#pragma once
// The framework's date-time value: days since 30 December 1899 as a double,
// the fraction being the time of day. Negative values count days before that
// date; their time of day is the magnitude of the fraction (-1.25 is
// 29 December 1899, 06:00). The calendar is the proleptic Gregorian one from
// 1 January 0001 to 31 December 9999.

#include <cstdint>

namespace fw {

using TDateTime = double;

constexpr TDateTime MinDateTime = -693593.0;         // 0001-01-01 00:00
constexpr TDateTime MaxDateTime = 2958465.99999999;  // 9999-12-31 23:59:59.999

bool IsLeapYear(int year);
// 28 ... 31; 0 for a month outside 1 ... 12.
int DaysInMonth(int year, int month);

// False (and `result` untouched) for a date outside the calendar.
bool TryEncodeDate(int year, int month, int day, TDateTime& result);
// Throws EConvertError "Invalid argument to date encode".
TDateTime EncodeDate(int year, int month, int day);

// Hours 0 ... 23, minutes and seconds 0 ... 59, milliseconds 0 ... 999.
bool TryEncodeTime(int hour, int minute, int second, int millisecond, TDateTime& result);
// Throws EConvertError "Invalid argument to time encode".
TDateTime EncodeTime(int hour, int minute, int second, int millisecond);

// The value is first rounded to the nearest millisecond, so a time a hair
// before midnight decodes as midnight of the next day. Both return false and
// zero fields for a value outside MinDateTime ... MaxDateTime (or not a number).
bool DecodeDate(TDateTime value, int& year, int& month, int& day);
bool DecodeTime(TDateTime value, int& hour, int& minute, int& second, int& millisecond);

// 1 = Sunday ... 7 = Saturday; 0 outside the calendar.
int DayOfWeek(TDateTime value);

// The same day `months` months later (earlier for negative counts), moved back
// to the month's last day when the month is shorter; the time of day is kept.
// Throws EConvertError when the value or the result lies outside the calendar.
TDateTime IncMonth(TDateTime value, int months);

}  // namespace fw
