#include "analysis/io/ShortestDouble.h"

#include <cmath>
#include <cstdint>
#include <cstring>

#include <fmt/format.h>

namespace analysis {
namespace {

constexpr char kPairs[] =
    "00010203040506070809101112131415161718192021222324252627282930313233343536373839"
    "40414243444546474849505152535455565758596061626364656667686970717273747576777879"
    "8081828384858687888990919293949596979899";

int DigitCount(uint64_t value) {
    int count = 1;
    for (; value >= 10000; value /= 10000) count += 4;
    for (; value >= 10; value /= 10) ++count;
    return count;
}

// The n digits of value, the last at end - 1.
void WriteDigits(uint64_t value, char* end, int n) {
    for (; n >= 2; n -= 2, value /= 100) {
        end -= 2;
        std::memcpy(end, kPairs + 2 * (value % 100), 2);
    }
    if (n == 1) *--end = static_cast<char>('0' + value % 10);
}

// An integer beyond the digits' precision is written as printf writes it:
// every digit of its exact value, not the shortest digits and zeros.
char* WriteExactInteger(double value, char* out) {
    auto integer = static_cast<unsigned __int128>(value);
    char digits[40];
    char* p = digits + sizeof digits;
    do {
        *--p = static_cast<char>('0' + static_cast<int>(integer % 10));
        integer /= 10;
    } while (integer != 0);
    const auto length = static_cast<std::size_t>(digits + sizeof digits - p);
    std::memcpy(out, p, length);
    return out + length;
}

}  // namespace

char* WriteShortest(double value, char* out) {
    if (std::signbit(value)) {
        *out++ = '-';
        value = -value;
    }
    if (value == 0) {
        *out++ = '0';
        return out;
    }
    const auto decimal = fmt::detail::dragonbox::to_decimal(value);
    const uint64_t digits = decimal.significand;
    const int exponent = decimal.exponent;  // value = digits * 10^exponent
    const int n = DigitCount(digits);
    const int point = n + exponent;  // digits before the point in fixed notation
    const int scientificExponent = point - 1;
    const int magnitude = scientificExponent < 0 ? -scientificExponent : scientificExponent;
    const int scientificLength = n + (n > 1 ? 1 : 0) + 2 + (magnitude >= 100 ? 3 : 2);
    const int fixedLength = exponent >= 0 ? point : point > 0 ? n + 1 : 2 - point + n;
    if (fixedLength <= scientificLength) {
        if (exponent > 0) return WriteExactInteger(value, out);
        if (point <= 0) {
            *out++ = '0';
            *out++ = '.';
            std::memset(out, '0', static_cast<std::size_t>(-point));
            out += -point;
            WriteDigits(digits, out + n, n);
            return out + n;
        }
        if (exponent == 0) {
            WriteDigits(digits, out + n, n);
            return out + n;
        }
        // d...d.d...d: the digits, then those after the point moved one on.
        WriteDigits(digits, out + n, n);
        std::memmove(out + point + 1, out + point, static_cast<std::size_t>(n - point));
        out[point] = '.';
        return out + n + 1;
    }
    // d[.ddd]e±XX
    WriteDigits(digits, out + n + 1, n);
    out[0] = out[1];
    if (n > 1) {
        out[1] = '.';
        out += n + 1;
    } else {
        out += 1;
    }
    *out++ = 'e';
    *out++ = scientificExponent < 0 ? '-' : '+';
    if (magnitude >= 100) {
        *out++ = static_cast<char>('0' + magnitude / 100);
    }
    std::memcpy(out, kPairs + 2 * (magnitude % 100), 2);
    return out + 2;
}

}  // namespace analysis
