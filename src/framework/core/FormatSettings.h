#pragma once
// The user's regional settings that number and date-time texts follow.

#include <array>
#include <string>

namespace fw {

struct FormatSettings {
    char DecimalSeparator = '.';
    char ThousandSeparator = ',';
    // In date-time formats "/" stands for DateSeparator and ":" for TimeSeparator.
    char DateSeparator = '/';
    char TimeSeparator = ':';
    std::string ShortDateFormat = "M/d/yyyy";
    std::string LongDateFormat = "dddd, MMMM d, yyyy";
    std::string ShortTimeFormat = "h:mm AMPM";
    std::string LongTimeFormat = "h:mm:ss AMPM";
    std::string TimeAMString = "AM";
    std::string TimePMString = "PM";
    // Month names January first, day names Sunday first.
    std::array<std::string, 12> ShortMonthNames = {"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                                   "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};
    std::array<std::string, 12> LongMonthNames = {"January",   "February", "March",    "April",
                                                  "May",       "June",     "July",     "August",
                                                  "September", "October",  "November", "December"};
    std::array<std::string, 7> ShortDayNames = {"Sun", "Mon", "Tue", "Wed", "Thu", "Fri", "Sat"};
    std::array<std::string, 7> LongDayNames = {"Sunday",   "Monday", "Tuesday", "Wednesday",
                                               "Thursday", "Friday", "Saturday"};

    // Reads the separators, formats and names from the process locale
    // (LC_NUMERIC, LC_TIME, as set by setlocale); anything the locale does not
    // say keeps the value above.
    static FormatSettings FromUserLocale();
};

// The process-wide settings. They start as the built-in values above; the
// program replaces them with FromUserLocale() at start-up (after setlocale),
// and tests replace them as they need.
FormatSettings& DefaultFormatSettings();

// Turns a POSIX strftime pattern (what nl_langinfo reports for D_FMT or T_FMT)
// into a date-time format of this framework. The first separator character
// met ("/", "." or "-" in dates; ":" or "." in times) is stored in `separator`
// and written as `placeholder` ('/' for dates, ':' for times); other literal
// text is kept, quoted where it would otherwise be read as a format letter.
// With `dropSeconds` the seconds and the separator before them are left out.
std::string FormatFromPosixPattern(const std::string& pattern, char placeholder, char& separator,
                                   bool dropSeconds = false);

}  // namespace fw
