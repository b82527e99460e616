#pragma once
// Integer rounding as the chart's pixel arithmetic expects it.

#include <cstdint>
#include <limits>

namespace fw {

// Nearest integer, a half going to the even neighbour: Round(2.5) = 2,
// Round(3.5) = 4, Round(-2.5) = -2. Independent of the current rounding mode.
// A not-a-number, an infinity or a result outside the 64-bit range raises
// EInvalidOp (as an integer conversion does with the invalid-operation trap on).
int64_t Round(long double value);

// Round for 32-bit targets (pixel coordinates): a result outside the 32-bit
// range raises EInvalidOp instead of wrapping around.
int32_t RoundToInt32(long double value);

// An integer pixel result kept inside lo ... hi, by default the 32-bit
// coordinate range, instead of wrapping around.
constexpr int32_t SaturateToInt32(int64_t value, int32_t lo = std::numeric_limits<int32_t>::min(),
                                  int32_t hi = std::numeric_limits<int32_t>::max()) {
    if (value > hi) return hi;
    if (value < lo) return lo;
    return static_cast<int32_t>(value);
}

// Round into the 32-bit coordinate range: a coordinate beyond it is kept at
// its edge and a not-a-number gives 0, so drawing never raises.
int32_t RoundSaturated(long double value);

// Drops the fraction towards zero: Trunc(-2.7) = -2. Same failures as Round.
int64_t Trunc(long double value);
int32_t TruncToInt32(long double value);

// a * b / c with a 64-bit intermediate, rounded to the nearest integer with a
// half away from zero. Returns -1 when c is 0 or the result does not fit in 32
// bits (the platform's convention, which callers rely on).
int32_t MulDiv(int32_t a, int32_t b, int32_t c);

}  // namespace fw
