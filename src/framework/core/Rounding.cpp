#include "framework/core/Rounding.h"

#include <cmath>

#include "framework/core/Exceptions.h"

namespace fw {

namespace {

// 2^63 is exact in the extended format; every value strictly inside
// (-2^63 - 1, 2^63) converts to int64 without overflow once it is integral.
constexpr long double kTwoTo63 = 9223372036854775808.0L;

int64_t ToInt64(long double integral) {
    if (!(integral >= -kTwoTo63 && integral < kTwoTo63)) throw EInvalidOp();
    return static_cast<int64_t>(integral);
}

int32_t ToInt32(int64_t value) {
    if (value < INT32_MIN || value > INT32_MAX) throw EInvalidOp();
    return static_cast<int32_t>(value);
}

}  // namespace

int64_t Round(long double value) {
    if (!std::isfinite(value)) throw EInvalidOp();
    const long double below = std::floor(value);
    // Exact: value and its floor lie in the same or neighbouring binades.
    const long double fraction = value - below;
    long double result = below;
    if (fraction > 0.5L || (fraction == 0.5L && std::fmod(below, 2.0L) != 0)) result = below + 1;
    return ToInt64(result);
}

int32_t RoundToInt32(long double value) { return ToInt32(Round(value)); }

int32_t RoundSaturated(long double value) {
    if (std::isnan(value)) return 0;
    constexpr long double lo = std::numeric_limits<int32_t>::min(), hi = std::numeric_limits<int32_t>::max();
    return static_cast<int32_t>(Round(value < lo ? lo : value > hi ? hi : value));
}

int64_t Trunc(long double value) {
    if (!std::isfinite(value)) throw EInvalidOp();
    return ToInt64(std::trunc(value));
}

int32_t TruncToInt32(long double value) { return ToInt32(Trunc(value)); }

int32_t MulDiv(int32_t a, int32_t b, int32_t c) {
    if (c == 0) return -1;
    int64_t product = static_cast<int64_t>(a) * b;
    int64_t divisor = c;
    if (divisor < 0) {
        divisor = -divisor;
        product = -product;
    }
    // Adding half the divisor before the truncating division rounds a half
    // away from zero: an exact half only occurs with an even divisor.
    const int64_t half = divisor / 2;
    const int64_t result = (product >= 0 ? product + half : product - half) / divisor;
    if (result < INT32_MIN || result > INT32_MAX) return -1;
    return static_cast<int32_t>(result);
}

}  // namespace fw
