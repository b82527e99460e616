#include "analysis/SampleNumber.h"

#include <algorithm>
#include <charconv>
#include <system_error>

namespace analysis {
namespace {

bool IsDigit(char c)
{
    return c >= '0' && c <= '9';
}

// The decimal exponent of the first non-zero digit of a mantissa, e.g. 2 for
// "123.4" and -3 for ".00123", plus the exponent text after the "e" (its
// value saturated far beyond any double, so a long exponent cannot overflow).
int64_t DecimalMagnitude(const char* mantissa, const char* mantissaEnd, const char* exponent, const char* end)
{
    const char* point = std::find(mantissa, mantissaEnd, '.');
    const char* first = std::find_if(mantissa, mantissaEnd, [](char c) { return c >= '1' && c <= '9'; });
    const int64_t leading = first < point ? (point - first) - 1 : -(first - point);
    constexpr int64_t kCap = 1'000'000'000;
    int64_t value = 0;
    bool negative = false;
    const char* p = exponent;
    if (p < end && (*p == '+' || *p == '-')) negative = *p++ == '-';
    for (; p < end; ++p) value = std::min(kCap, value * 10 + (*p - '0'));
    return leading + (negative ? -value : value);
}

}  // namespace

SampleNumber ScanSampleNumber(const char* begin, const char* end, bool lastData)
{
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
    const char* mantissa = p;
    while (p < end && IsDigit(*p)) ++p;
    bool anyDigit = p != mantissa;
    if (p < end && *p == '.') {
        const char* fraction = ++p;
        while (p < end && IsDigit(*p)) ++p;
        anyDigit = anyDigit || p != fraction;
    }
    if (p == end && !lastData) return needMore;
    if (!anyDigit) return notANumber;
    const char* mantissaEnd = p;
    const char* exponent = nullptr;
    if (p < end && (*p == 'e' || *p == 'E')) {
        const char* q = p + 1;
        exponent = q;
        if (q < end && (*q == '+' || *q == '-')) ++q;
        const char* digits = q;
        while (q < end && IsDigit(*q)) ++q;
        if (q == end && !lastData) return needMore;
        if (q == digits) return notANumber;
        p = q;
    }

    // Only text of the syntax above reaches the conversion, without its sign
    // and blanks, so from_chars' own extensions (inf, nan) never apply.
    double value = 0.0;
    const auto [stop, error] = std::from_chars(mantissa, p, value, std::chars_format::general);
    if (stop != p) return notANumber;
    if (error == std::errc::result_out_of_range) {
        // Beyond the range is no number; below it is the nearest double, zero.
        if (DecimalMagnitude(mantissa, mantissaEnd, exponent ? exponent : p, p) >= 0) return notANumber;
        value = 0.0;
    } else if (error != std::errc()) {
        return notANumber;
    }
    SampleNumber number{SampleNumberStatus::Number};
    number.end = p;
    number.lineFeeds = lineFeeds;
    number.value = negative ? -value : value;
    return number;
}

}  // namespace analysis
