#pragma once
// The user's regional settings that number and date-time texts follow.

#include <string>

namespace fw {

struct FormatSettings {
    char DecimalSeparator = '.';
    char ThousandSeparator = ',';
    char DateSeparator = '/';
    char TimeSeparator = ':';
    std::string ShortDateFormat = "M/d/yyyy";
    std::string LongDateFormat = "dddd, MMMM d, yyyy";
    std::string ShortTimeFormat = "h:mm AMPM";
    std::string LongTimeFormat = "h:mm:ss AMPM";
    std::string TimeAMString = "AM";
    std::string TimePMString = "PM";

    // Reads the separators and formats from the process locale (LC_NUMERIC,
    // LC_TIME); anything the locale does not say keeps the value above.
    static FormatSettings FromUserLocale();
};

// The process-wide settings: read once at start-up, replaceable in tests.
FormatSettings& DefaultFormatSettings();

}  // namespace fw
