#include <gtest/gtest.h>

#include <cfenv>
#include <cmath>
#include <limits>
#include <random>

#include "framework/core/Exceptions.h"
#include "framework/core/Rounding.h"

namespace {

TEST(Round, HalvesGoToTheEvenNeighbour) {
    EXPECT_EQ(fw::Round(2.5), 2);
    EXPECT_EQ(fw::Round(3.5), 4);
    EXPECT_EQ(fw::Round(0.5), 0);
    EXPECT_EQ(fw::Round(1.5), 2);
    EXPECT_EQ(fw::Round(-0.5), 0);
    EXPECT_EQ(fw::Round(-2.5), -2);
    EXPECT_EQ(fw::Round(-3.5), -4);
    EXPECT_EQ(fw::Round(2.4999999999), 2);
    EXPECT_EQ(fw::Round(-2.5000000001), -3);
}

// The hardware's round-to-nearest mode is the reference.
TEST(Round, AgreesWithRoundToNearestOnRandomValuesAndHalves) {
    ASSERT_EQ(std::fegetround(), FE_TONEAREST);
    std::mt19937_64 rng(11);
    std::uniform_real_distribution<long double> any(-1e6L, 1e6L);
    std::uniform_int_distribution<int64_t> whole(-100000000, 100000000);
    for (int i = 0; i < 20000; ++i) {
        const long double a = any(rng);
        ASSERT_EQ(fw::Round(a), static_cast<int64_t>(std::nearbyint(a))) << static_cast<double>(a);
        const long double half = static_cast<long double>(whole(rng)) + 0.5L;
        ASSERT_EQ(fw::Round(half), static_cast<int64_t>(std::nearbyint(half))) << static_cast<double>(half);
    }
}

TEST(Round, RangeLimits) {
    EXPECT_EQ(fw::Round(-9223372036854775808.0L), std::numeric_limits<int64_t>::min());
    EXPECT_EQ(fw::Round(9223372036854775807.0L), std::numeric_limits<int64_t>::max());
    EXPECT_THROW(fw::Round(9223372036854775808.0L), fw::EInvalidOp);
    EXPECT_THROW(fw::Round(1e300), fw::EInvalidOp);
    EXPECT_THROW(fw::Round(std::numeric_limits<double>::quiet_NaN()), fw::EInvalidOp);
    EXPECT_THROW(fw::Round(-std::numeric_limits<double>::infinity()), fw::EInvalidOp);

    EXPECT_EQ(fw::RoundToInt32(2147483647.4), INT32_MAX);
    EXPECT_EQ(fw::RoundToInt32(-2147483648.5), INT32_MIN);  // the half goes to the even, in range
    EXPECT_THROW(fw::RoundToInt32(2147483647.5), fw::EInvalidOp);
    EXPECT_THROW(fw::RoundToInt32(-2147483649.0), fw::EInvalidOp);
}

TEST(Saturate, KeepsPixelsInsideTheRangeInsteadOfWrapping) {
    constexpr int64_t max = INT32_MAX, min = INT32_MIN;
    static_assert(fw::SaturateToInt32(max + 1) == INT32_MAX);
    const struct {
        int64_t value;
        int32_t expected;
    } whole[] = {{0, 0},
                 {-7, -7},
                 {max, INT32_MAX},
                 {max + 1, INT32_MAX},
                 {min, INT32_MIN},
                 {min - 1, INT32_MIN},
                 {std::numeric_limits<int64_t>::max(), INT32_MAX},
                 {std::numeric_limits<int64_t>::min(), INT32_MIN}};
    for (const auto& c : whole) EXPECT_EQ(fw::SaturateToInt32(c.value), c.expected) << c.value;
    EXPECT_EQ(fw::SaturateToInt32(-3, 0, 10), 0);
    EXPECT_EQ(fw::SaturateToInt32(11, 0, 10), 10);
    EXPECT_EQ(fw::SaturateToInt32(10, 0, 10), 10);

    const struct {
        long double value;
        int32_t expected;
    } coordinates[] = {{2.5L, 2},
                       {-3.5L, -4},
                       {2147483647.4L, INT32_MAX},
                       {2147483647.5L, INT32_MAX},
                       {1e300L, INT32_MAX},
                       {-1e300L, INT32_MIN},
                       {std::numeric_limits<long double>::infinity(), INT32_MAX},
                       {-std::numeric_limits<long double>::infinity(), INT32_MIN},
                       {std::numeric_limits<long double>::quiet_NaN(), 0}};
    for (const auto& c : coordinates) {
        EXPECT_EQ(fw::RoundSaturated(c.value), c.expected) << static_cast<double>(c.value);
    }
}

TEST(Trunc, DropsTheFractionTowardsZero) {
    EXPECT_EQ(fw::Trunc(2.7), 2);
    EXPECT_EQ(fw::Trunc(-2.7), -2);
    EXPECT_EQ(fw::Trunc(-0.9), 0);
    EXPECT_EQ(fw::TruncToInt32(2147483647.9), INT32_MAX);
    EXPECT_EQ(fw::TruncToInt32(-2147483648.9), INT32_MIN);
    EXPECT_THROW(fw::TruncToInt32(2147483648.0), fw::EInvalidOp);
    EXPECT_THROW(fw::Trunc(std::numeric_limits<double>::quiet_NaN()), fw::EInvalidOp);
}

// Reference: exact quotient and remainder, rounded up in magnitude when the
// remainder is at least half the divisor.
int64_t ReferenceMulDiv(int32_t a, int32_t b, int32_t c) {
    const __int128 p = static_cast<__int128>(a) * b;
    __int128 q = p / c;
    const __int128 r = p % c;
    const __int128 absR = r < 0 ? -r : r;
    const __int128 absC = c < 0 ? -static_cast<__int128>(c) : c;
    if (2 * absR >= absC) q += ((p < 0) != (c < 0)) ? -1 : 1;
    if (q < INT32_MIN || q > INT32_MAX) return -1;
    return static_cast<int64_t>(q);
}

TEST(MulDiv, HalvesRoundAwayFromZero) {
    EXPECT_EQ(fw::MulDiv(5, 1, 2), 3);
    EXPECT_EQ(fw::MulDiv(-5, 1, 2), -3);
    EXPECT_EQ(fw::MulDiv(5, 1, -2), -3);
    EXPECT_EQ(fw::MulDiv(-5, -1, 2), 3);
    EXPECT_EQ(fw::MulDiv(1, 1, 3), 0);
    EXPECT_EQ(fw::MulDiv(2, 1, 3), 1);
    EXPECT_EQ(fw::MulDiv(-2, 1, 3), -1);
    EXPECT_EQ(fw::MulDiv(8, 96, 72), 11);  // 10.67: a font height scaled to pixels
}

TEST(MulDiv, SixtyFourBitIntermediateAndFailures) {
    EXPECT_EQ(fw::MulDiv(2000000000, 2000000000, 2000000000), 2000000000);
    EXPECT_EQ(fw::MulDiv(INT32_MIN, INT32_MIN, INT32_MIN), INT32_MIN);
    EXPECT_EQ(fw::MulDiv(INT32_MIN, -1, 1), -1);  // 2^31 does not fit
    EXPECT_EQ(fw::MulDiv(7, 3, 0), -1);
    EXPECT_EQ(fw::MulDiv(0, 0, 0), -1);
}

TEST(MulDiv, AgreesWithExactReference) {
    std::mt19937 rng(5);
    std::uniform_int_distribution<int32_t> any(INT32_MIN, INT32_MAX);
    std::uniform_int_distribution<int32_t> small(-1000, 1000);
    for (int i = 0; i < 20000; ++i) {
        const int32_t a = any(rng), b = small(rng), c = small(rng);
        ASSERT_EQ(fw::MulDiv(a, b, c), c == 0 ? -1 : ReferenceMulDiv(a, b, c)) << a << "*" << b << "/" << c;
        const int32_t d = any(rng), e = any(rng);
        ASSERT_EQ(fw::MulDiv(a, d, e), e == 0 ? -1 : ReferenceMulDiv(a, d, e)) << a << "*" << d << "/" << e;
    }
}

}  // namespace
