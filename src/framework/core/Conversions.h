#pragma once
// Text <-> number conversions under the user's regional settings.

#include <cstdint>
#include <string>

#include "framework/core/FormatSettings.h"

namespace fw {

// Optional leading spaces, optional sign, decimal digits or hexadecimal after
// "$", "x" or "0x"; nothing may follow; 32-bit range.
// Throws EConvertError "'<text>' is not a valid integer value".
int32_t StrToInt(const std::string& text);

std::string IntToStr(int64_t value);

// Decimal text with the regional decimal separator, optional exponent, spaces
// around it. The result is extended precision; it may lie beyond the double
// range (the caller decides what storing it as a double means).
// Throws EConvertError "'<text>' is not a valid floating point value".
long double StrToFloat(const std::string& text, const FormatSettings& settings = DefaultFormatSettings());

enum TFloatFormat { ffGeneral, ffExponent, ffFixed, ffNumber, ffCurrency };

// The framework's float-to-text conversion (ffFixed is the one the tool uses).
std::string FloatToStrF(long double value, TFloatFormat format, int precision, int digits,
                        const FormatSettings& settings = DefaultFormatSettings());

}  // namespace fw
