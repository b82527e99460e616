#pragma once
// Text <-> number conversions under the user's regional settings.

#include <cstdint>
#include <string>

#include "framework/core/FormatSettings.h"

namespace fw {

// Optional leading spaces, optional sign, decimal digits or hexadecimal after
// "$", "x" or "0x"; nothing may follow; 32-bit range. A hexadecimal text is a
// 32-bit pattern (up to FFFFFFFF, two's complement: "$FFFFFFFF" is -1); a sign
// before it negates that pattern.
// Throws EConvertError "'<text>' is not a valid integer value".
int32_t StrToInt(const std::string& text);

std::string IntToStr(int64_t value);

// Decimal text with the regional decimal separator, optional exponent, spaces
// around it. The result is extended precision; it may lie beyond the double
// range (the caller decides what storing it as a double means).
// Throws EConvertError "'<text>' is not a valid floating point value".
long double StrToFloat(const std::string& text, const FormatSettings& settings = DefaultFormatSettings());

// The same text converted to the nearest double in one rounding, so that the
// shortest text of a double reads back as that double. A magnitude beyond the
// double range gives an infinity of its sign; one beyond the extended range
// throws EConvertError as StrToFloat does.
double StrToDouble(const std::string& text, const FormatSettings& settings = DefaultFormatSettings());

enum TFloatFormat { ffGeneral, ffExponent, ffFixed, ffNumber };

// The framework's float-to-text conversion (ffFixed is the one the tool uses).
// Rounding: to the lesser of `precision` significant digits (1 ... 18) and, for
// ffFixed and ffNumber, `digits` decimals, a half away from zero. A value that
// rounds to zero loses its sign. Infinities and not-a-numbers give "INF",
// "-INF" and "NAN".
// - ffGeneral: shortest of fixed or scientific ("1.5", "1E20", "1E-5"); digits
//   is the least number of exponent digits (0 ... 4).
// - ffExponent: "-d.dddE+dd", `precision` digits, at least `digits` exponent
//   digits (0 ... 4), the exponent sign always shown.
// - ffFixed: "-ddd.dd", exactly `digits` decimals (0 ... 18); when more than
//   `precision` digits would stand before the separator, ffGeneral's
//   scientific form ("1.2346E5").
// - ffNumber: ffFixed with the thousands separator between groups of three.
std::string FloatToStrF(long double value, TFloatFormat format, int precision, int digits,
                        const FormatSettings& settings = DefaultFormatSettings());

}  // namespace fw
