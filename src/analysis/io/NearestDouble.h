#pragma once
// The double nearest digits × 10^exponent, ties to even, from exact integer
// arithmetic: a product or quotient of doubles rounds twice once the digits
// exceed 2^53, as 17 significant digits do.

#include <array>
#include <bit>
#include <cstdint>

namespace analysis {

// 5^27 and 10^19 still fit in 64 bits, which keeps every product within 128.
inline constexpr int kNearestDoubleMinExponent = -27;
inline constexpr int kNearestDoubleMaxExponent = 19;

// 10^0 ... 10^19.
inline constexpr std::array<uint64_t, kNearestDoubleMaxExponent + 1> kDecimalPowers = [] {
    std::array<uint64_t, kNearestDoubleMaxExponent + 1> powers{};
    uint64_t power = 1;
    for (uint64_t& entry : powers) {
        entry = power;
        power *= 10;
    }
    return powers;
}();

namespace nearest_double {

__extension__ using Uint128 = unsigned __int128;

// Dividing by 5^k is multiplying by inverse = floor(2^(64 + bits) / 5^k),
// where 2^bits <= 5^k < 2^(bits + 1), then correcting the quotient by one.
struct FivePower {
    uint64_t value = 0;
    int bits = 0;
    uint64_t inverse = 0;
};

inline constexpr std::array<FivePower, -kNearestDoubleMinExponent> kFivePowers = [] {
    std::array<FivePower, -kNearestDoubleMinExponent> powers{};
    uint64_t five = 1;
    for (FivePower& power : powers) {
        five *= 5;
        power.value = five;
        power.bits = 63 - std::countl_zero(five);
        power.inverse = static_cast<uint64_t>((Uint128{1} << (64 + power.bits)) / five);
    }
    return powers;
}();

// The double nearest (q + f) × 2^exponent for q of 63 or 64 bits and 0 <= f < 1,
// f > 0 when inexact, with a normal result. Halved, with every dropped bit
// kept in its lowest, q fits the signed conversion, whose rounding to nearest
// even is then the right one; the power of two scales exactly.
inline double Round(uint64_t q, bool inexact, int exponent) {
    const uint64_t halved = (q >> 1) | (q & 1) | static_cast<uint64_t>(inexact);
    const double scale = std::bit_cast<double>(static_cast<uint64_t>(exponent + 1 + 1023) << 52);
    return static_cast<double>(static_cast<int64_t>(halved)) * scale;
}

}  // namespace nearest_double

// digits below 10^19, exponent within the bounds above.
inline double NearestDouble(uint64_t digits, int exponent) {
    using namespace nearest_double;
    if (digits == 0) return 0.0;
    if (exponent >= 0) {
        // The exact product, cut to its leading 64 bits.
        const Uint128 product = Uint128{digits} * kDecimalPowers[static_cast<std::size_t>(exponent)];
        const auto high = static_cast<uint64_t>(product >> 64);
        const int zeros = high != 0 ? std::countl_zero(high) : 64 + std::countl_zero(static_cast<uint64_t>(product));
        const Uint128 normal = product << zeros;
        return Round(static_cast<uint64_t>(normal >> 64), static_cast<uint64_t>(normal) != 0, 64 - zeros);
    }
    // digits / 10^k = (digits × 2^zeros × 2^bits / 5^k) × 2^-(zeros + bits + k),
    // where the quotient in brackets has 63 or 64 bits.
    const FivePower& five = kFivePowers[static_cast<std::size_t>(-exponent - 1)];
    const int zeros = std::countl_zero(digits);
    const uint64_t normal = digits << zeros;
    auto quotient = static_cast<uint64_t>((Uint128{normal} * five.inverse) >> 64);
    // The inverse is short by less than 1, so the quotient by at most 1, and
    // the remainder, below 2 × 5^k, is exact in 64 bits.
    uint64_t remainder = (normal << five.bits) - quotient * five.value;
    const bool behind = remainder >= five.value;
    quotient += behind;
    remainder -= behind ? five.value : 0;
    return Round(quotient, remainder != 0, exponent - zeros - five.bits);
}

}  // namespace analysis
