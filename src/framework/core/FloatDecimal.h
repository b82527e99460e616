#pragma once
// The decimal digits of an extended value, rounded for display. Every
// float-to-text conversion starts from this record so that they all round the
// same way: from the 18-significant-digit decimal form of the value, a half
// going away from zero.

#include <string>

namespace fw {

// The most significant digits any conversion shows.
constexpr int kMaxDigits = 18;

struct FloatDecimal {
    enum Kind { Finite, Infinite, NotANumber };

    Kind kind = Finite;
    bool negative = false;
    // value = 0.<digits> x 10^exponent; the digits carry no trailing zeros and
    // are empty for a value that is (or rounded to) zero.
    int exponent = 0;
    std::string digits;

    bool IsZero() const { return kind == Finite && digits.empty(); }
};

// Rounds |value| to the lesser of `precision` significant digits (1 ... 18)
// and `decimals` digits after the decimal point (any value; a large one means
// "only the significant digits count"). A value that rounds to zero is
// returned as a positive zero.
FloatDecimal ToFloatDecimal(long double value, int precision, int decimals);

}  // namespace fw
