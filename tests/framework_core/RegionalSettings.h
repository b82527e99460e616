#pragma once
// Format settings of the two regional styles the conversions are tested under.

#include "framework/core/FormatSettings.h"

namespace fw::test {

inline FormatSettings WithSeparators(char decimal, char thousands) {
    FormatSettings s;
    s.DecimalSeparator = decimal;
    s.ThousandSeparator = thousands;
    return s;
}

// "1,234.5" and "1.234,5".
inline const FormatSettings kDotDecimal = WithSeparators('.', ',');
inline const FormatSettings kCommaDecimal = WithSeparators(',', '.');

}  // namespace fw::test
