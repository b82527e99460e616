#pragma once
// Date-time text by a format of letters such as "dd/mm/yyyy hh:nn".

#include <string>

#include "framework/core/DateTime.h"
#include "framework/core/FormatSettings.h"

namespace fw {

// Formats `value` by `format` with the names, separators and formats of
// `settings`. Letters are read without regard to case:
//   d dd        day without / with a leading zero
//   ddd dddd    short / long day name
//   ddddd       the short date format; dddddd the long date format
//   m mm        month without / with a leading zero; right after an h or hh
//               specifier (only separators between) the minutes instead
//   mmm mmmm    short / long month name
//   yy yyyy     two- / four-digit year
//   h hh        hour (12-hour clock when an am/pm specifier follows anywhere)
//   n nn        minutes; s ss seconds; z zzz milliseconds
//   t tt        the short / long time format
//   c           short date format, then " " and the long time format unless
//               the time is midnight
//   am/pm a/p   "am"/"pm" or "a"/"p", in the case they are written in
//   ampm        TimeAMString or TimePMString
//   /  :        the date / time separator
//   "xx" 'xx'   literal text; any other character is copied as it is.
// An empty format means "c". A value outside the calendar (MinDateTime ...
// MaxDateTime, or not a number) has no date and gives the empty text.
std::string FormatDateTime(const std::string& format, TDateTime value,
                           const FormatSettings& settings = DefaultFormatSettings());

}  // namespace fw
