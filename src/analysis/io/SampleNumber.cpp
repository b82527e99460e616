#include "analysis/io/SampleNumber.h"

#include <algorithm>
#include <charconv>
#include <system_error>

namespace analysis {
namespace {

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// The decimal exponent of the first non-zero digit of an unsigned number,
// e.g. 2 for "123.4", -3 for ".00123" and 7 for "1.5e7"; the exponent text is
// saturated far beyond any double, so that a long one cannot overflow.
int64_t DecimalMagnitude(const char* number, const char* end) {
    const char* mantissaEnd = std::find_if(number, end, [](char c) { return c == 'e' || c == 'E'; });
    const char* point = std::find(number, mantissaEnd, '.');
    const char* first = std::find_if(number, mantissaEnd, [](char c) { return c >= '1' && c <= '9'; });
    const int64_t leading = first < point ? (point - first) - 1 : -(first - point);
    if (mantissaEnd == end) return leading;
    constexpr int64_t kCap = 1'000'000'000;
    int64_t exponent = 0;
    const char* p = mantissaEnd + 1;
    const bool negative = *p == '-';
    if (*p == '+' || *p == '-') ++p;
    for (; p < end; ++p) exponent = std::min(kCap, exponent * 10 + (*p - '0'));
    return leading + (negative ? -exponent : exponent);
}

bool IsExponentMark(char c) { return c == 'e' || c == 'E'; }

SampleNumber ScanWithin(const char* begin, const char* end, bool lastData) {
    const SampleNumber notANumber{SampleNumberStatus::NotANumber};
    const SampleNumber needMore{SampleNumberStatus::NeedMore};
    const char* p = begin;
    int32_t lineFeeds = 0;
    bool negative = false;
    if (*p == '+' || *p == '-') {
        negative = *p == '-';
        ++p;
        while (p < end && IsSampleBlank(*p)) lineFeeds += *p++ == '\n';
        if (p == end) return lastData ? notANumber : needMore;
    }
    // from_chars reads exactly the unsigned syntax above, except that it also
    // takes "inf" and "nan" (ruled out by the first character) and that it
    // stops before an "e" without exponent digits, where this syntax fails.
    if (!IsDigit(*p) && *p != '.') return notANumber;
    double value = 0.0;
    const auto [stop, error] = std::from_chars(p, end, value, std::chars_format::general);
    if (error == std::errc::invalid_argument) {
        // A point without a digit on either side.
        return (p + 1 == end && !lastData) ? needMore : notANumber;
    }
    if (stop == end) {
        if (!lastData) return needMore;
    } else if ((*stop == 'e' || *stop == 'E') && std::none_of(p, stop, IsExponentMark)) {
        // A mantissa followed by an "e" that brought no exponent digits; after
        // a complete exponent ("1e5e") the number is whole and the "e" is the
        // next token's start.
        const char* q = stop + 1;
        if (q < end && (*q == '+' || *q == '-')) ++q;
        return (q == end && !lastData) ? needMore : notANumber;
    }
    if (error == std::errc::result_out_of_range) {
        // Beyond the range is no number; below it is the nearest double, zero.
        if (DecimalMagnitude(p, stop) >= 0) return notANumber;
        value = 0.0;
    } else if (error != std::errc()) {
        return notANumber;
    }
    SampleNumber number{SampleNumberStatus::Number};
    number.end = stop;
    number.lineFeeds = lineFeeds;
    number.value = negative ? -value : value;
    return number;
}

}  // namespace

SampleNumber ScanSampleNumber(const char* begin, const char* end, bool lastData) {
    if (end - begin <= kMaxNumberText) return ScanWithin(begin, end, lastData);
    // Only the text's first kMaxNumberText + 1 characters are looked at: a
    // number that reaches past them is too long, whatever follows.
    const char* cut = begin + kMaxNumberText + 1;
    const SampleNumber number = ScanWithin(begin, cut, true);
    if (number.status == SampleNumberStatus::Number && number.end == cut) return {SampleNumberStatus::NotANumber};
    return number;
}

}  // namespace analysis
