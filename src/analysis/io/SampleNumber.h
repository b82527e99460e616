#pragma once
// The syntax of one number in a sample file, and its conversion.
//
//   [sign [blanks]] digits [. digits] [(e|E) [sign] digits]
//
// with at least one digit before or after the point. The decimal point is
// always "."; grouping, hexadecimal, "inf" and "nan" are not numbers. The
// number ends before the first character that does not fit; that character
// is where the next number begins.

#include <cstddef>
#include <cstdint>

namespace analysis {

// Space, tab, line feed, vertical tab, form feed, carriage return.
inline bool IsSampleBlank(char c) { return c == ' ' || (c >= '\t' && c <= '\r'); }

// The longest text a number may have, from its sign to its last character.
// A longer one counts as beyond the double range: no writer makes such a
// number, and telling so without holding it whole keeps a file of one endless
// token to a read of bounded memory and time.
inline constexpr std::ptrdiff_t kMaxNumberText = std::ptrdiff_t{1} << 20;

enum class SampleNumberStatus {
    Number,      // value holds the nearest double
    NotANumber,  // the text does not start with a number, or the number lies beyond the double range
    NeedMore,    // the text may go on past the end of what is available
};

struct SampleNumber {
    SampleNumberStatus status;
    const char* end = nullptr;  // Number: one past its last character
    int32_t lineFeeds = 0;      // Number: line feeds between its sign and its digits
    double value = 0.0;
};

// Scans the number that starts at begin (not a blank) and ends before `end`.
// lastData tells that nothing follows `end`; otherwise a number that reaches
// `end` is reported as NeedMore, to be scanned again with more text, until it
// is longer than kMaxNumberText.
// A magnitude too small for a double reads as a zero of its sign.
SampleNumber ScanSampleNumber(const char* begin, const char* end, bool lastData);

}  // namespace analysis
