#include "analysis/io/ShortestDouble.h"

#include <array>
#include <bit>
#include <cmath>
#include <cstdint>
#include <cstring>

#include <fmt/format.h>

namespace analysis {
namespace {

// 10^0 ... 10^19, every power of ten a uint64_t holds.
constexpr std::array<uint64_t, 20> kPowersOfTen = [] {
    std::array<uint64_t, 20> powers{};
    uint64_t power = 1;
    for (uint64_t& p : powers) {
        p = power;
        power *= 10;  // wraps after the last, unused
    }
    return powers;
}();

// From the bit length: log10(2) is about 1233 / 4096.
int DigitCount(uint64_t value) {
    const int guess = ((64 - std::countl_zero(value | 1)) * 1233) >> 12;
    return guess + 1 - (value < kPowersOfTen[static_cast<std::size_t>(guess)] ? 1 : 0);
}

static_assert(std::endian::native == std::endian::little, "the digits are laid out a byte a digit, first lowest");

// The eight digits of value < 10^8 as text, the first in the lowest byte:
// split in halves of four digits, each half in pairs, each pair in digits,
// every lane of a step at once in one multiply (the quotients by 100 and 10
// are exact below 10^4 and 10^2).
uint64_t EightDigits(uint32_t value) {
    const uint64_t halves = value / 10000 | uint64_t{value % 10000} << 32;
    const uint64_t high = ((halves * 10486) >> 20) & 0x0000007F0000007F;
    const uint64_t pairs = high | (halves - 100 * high) << 16;
    const uint64_t tens = ((pairs * 103) >> 10) & 0x000F000F000F000F;
    return (tens | (pairs - 10 * tens) << 8) | 0x3030303030303030;
}

// The n <= 17 digits of value, ending at the end of text.
const char* DigitText(uint64_t value, int n, char (&text)[24]) {
    uint64_t eight = EightDigits(static_cast<uint32_t>(value % 100000000));
    std::memcpy(text + 16, &eight, 8);
    if (n > 8) {
        value /= 100000000;
        eight = EightDigits(static_cast<uint32_t>(value % 100000000));
        std::memcpy(text + 8, &eight, 8);
        text[7] = static_cast<char>('0' + value / 100000000);
    }
    return text + 24 - n;
}

// Copies n <= 24 characters in a few fixed-size moves, which may overlap.
void CopyShort(char* to, const char* from, int n) {
    const auto size = static_cast<std::size_t>(n);
    if (size >= 8) {
        std::memcpy(to, from, 8);
        if (size > 16) std::memcpy(to + 8, from + 8, 8);
        std::memcpy(to + size - 8, from + size - 8, 8);
    } else if (size >= 4) {
        std::memcpy(to, from, 4);
        std::memcpy(to + size - 4, from + size - 4, 4);
    } else {
        for (std::size_t i = 0; i < size; ++i) to[i] = from[i];
    }
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
    const uint64_t significand = decimal.significand;
    const int exponent = decimal.exponent;  // value = significand * 10^exponent
    const int n = DigitCount(significand);
    const int point = n + exponent;  // digits before the point in fixed notation
    const int scientificExponent = point - 1;
    const int magnitude = scientificExponent < 0 ? -scientificExponent : scientificExponent;
    const int scientificLength = n + (n > 1 ? 1 : 0) + 2 + (magnitude >= 100 ? 3 : 2);
    const int fixedLength = exponent >= 0 ? point : point > 0 ? n + 1 : 2 - point + n;
    if (fixedLength <= scientificLength && exponent > 0) return WriteExactInteger(value, out);
    char text[24];
    const char* digits = DigitText(significand, n, text);
    if (fixedLength <= scientificLength) {
        if (point <= 0) {
            *out++ = '0';
            *out++ = '.';
            for (int zero = 0; zero < -point; ++zero) *out++ = '0';
            CopyShort(out, digits, n);
            return out + n;
        }
        // d...d or d...d.d...d
        CopyShort(out, digits, point);
        if (point == n) return out + n;
        out[point] = '.';
        CopyShort(out + point + 1, digits + point, n - point);
        return out + n + 1;
    }
    // d[.ddd]e±XX
    out[0] = digits[0];
    if (n > 1) {
        out[1] = '.';
        CopyShort(out + 2, digits + 1, n - 1);
        out += n + 1;
    } else {
        out += 1;
    }
    *out++ = 'e';
    *out++ = scientificExponent < 0 ? '-' : '+';
    if (magnitude >= 100) {
        *out++ = static_cast<char>('0' + magnitude / 100);
    }
    out[0] = static_cast<char>('0' + magnitude / 10 % 10);
    out[1] = static_cast<char>('0' + magnitude % 10);
    return out + 2;
}

}  // namespace analysis
