#pragma once
// Number formatting by a picture format such as "#,##0.###".

#include <string>

#include "framework/core/FormatSettings.h"

namespace fw {

// Formats `value` by `format`, with the regional separators of `settings`.
//
// The format has up to three sections separated by ";": for positive values,
// for negative values and for zero. A missing or empty negative section means
// the positive one with a leading "-"; a missing or empty zero section means
// the positive one. A value that rounds to zero under its section's format is
// shown by the zero section, without a sign.
//
// Within a section:
//   0      a digit, shown even when it is a leading or trailing zero;
//   #      a digit, shown only when significant;
//   .      the decimal separator (the first "." of the section); it is left
//          out when no decimals follow it;
//   ,      anywhere in the section: the integer digits are grouped by three
//          with the thousands separator;
//   E+ E-  scientific notation (also "e"); the zeros after it give the least
//          number of exponent digits (up to 4); "+" always shows the
//          exponent's sign, "-" only a negative one;
//   "xx" 'xx'  literal text; any other character is copied as it is.
// Integer digits beyond the placeholders are all shown; decimals are rounded
// to the number of placeholders after the point, a half away from zero.
// An empty format, a value beyond 1E18 for a format without exponent, an
// infinity and a not-a-number are written as FloatToStrF(value, ffGeneral, 15, 0)
// would write them.
std::string FormatFloat(const std::string& format, long double value,
                        const FormatSettings& settings = DefaultFormatSettings());

}  // namespace fw
