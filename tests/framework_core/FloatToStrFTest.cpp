#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <random>

#include "RegionalSettings.h"

#include "framework/core/Conversions.h"

namespace {

using fw::FloatToStrF;

const fw::FormatSettings& dot = fw::test::kDotDecimal;
const fw::FormatSettings& comma = fw::test::kCommaDecimal;

std::string Fixed52(long double value, const fw::FormatSettings& s = dot) {
    return FloatToStrF(value, fw::ffFixed, 5, 2, s);
}

TEST(FloatToStrFFixed, MeanReadoutExamples) {
    EXPECT_EQ(Fixed52(3.14159), "3.14");
    EXPECT_EQ(Fixed52(1234.567), "1234.60");
    EXPECT_EQ(Fixed52(12345.6), "12346.00");
    EXPECT_EQ(Fixed52(-0.5), "-0.50");
    EXPECT_EQ(Fixed52(-0.001), "0.00");
    EXPECT_EQ(Fixed52(0.0), "0.00");
    EXPECT_EQ(Fixed52(-0.0), "0.00");
    EXPECT_EQ(Fixed52(123456.7), "1.2346E5");
    EXPECT_EQ(Fixed52(100000), "1E5");
    EXPECT_EQ(Fixed52(-123456.7), "-1.2346E5");
    EXPECT_EQ(Fixed52(3.14159, comma), "3,14");
    EXPECT_EQ(Fixed52(123456.7, comma), "1,2346E5");
}

TEST(FloatToStrFFixed, HalvesRoundAwayFromZero) {
    EXPECT_EQ(Fixed52(0.125), "0.13");
    EXPECT_EQ(Fixed52(-0.125), "-0.13");
    EXPECT_EQ(Fixed52(0.375), "0.38");
    EXPECT_EQ(FloatToStrF(2.5, fw::ffFixed, 15, 0, dot), "3");
    EXPECT_EQ(FloatToStrF(-2.5, fw::ffFixed, 15, 0, dot), "-3");
    // Rounding reaches into the first kept digit.
    EXPECT_EQ(Fixed52(0.005), "0.01");
    EXPECT_EQ(Fixed52(-0.005), "-0.01");
    EXPECT_EQ(Fixed52(0.0049), "0.00");
    EXPECT_EQ(Fixed52(9.999), "10.00");
}

// The half is judged on the 18-digit decimal form of the binary value: the
// doubles nearest 1.005 and 0.015 lie below the half (1.00499999999999989...,
// 0.0149999999999999994...), the double nearest 0.025 above it.
TEST(FloatToStrFFixed, HalfIsJudgedOnEighteenDigits) {
    EXPECT_EQ(Fixed52(1.005), "1.00");
    EXPECT_EQ(Fixed52(0.015), "0.01");
    EXPECT_EQ(Fixed52(0.025), "0.03");
    // The extended value nearest 1.005 is 1.0049999999999999999957: its
    // 18-digit form is 1.00500000000000000, a half, which rounds up.
    EXPECT_EQ(Fixed52(1.005L), "1.01");
}

TEST(FloatToStrFFixed, SignificantDigitsLimitBeforeDecimals) {
    EXPECT_EQ(Fixed52(99999.4), "99999.00");
    EXPECT_EQ(Fixed52(99999.5), "1E5");  // rounds up into a sixth integer digit
    EXPECT_EQ(Fixed52(1.23456789), "1.23");
    EXPECT_EQ(Fixed52(0.000123456), "0.00");
    EXPECT_EQ(Fixed52(1e20), "1E20");
    EXPECT_EQ(FloatToStrF(0.123456789, fw::ffFixed, 3, 5, dot), "0.12300");
}

// Quarter values are exact in binary, so the expected text can be built from
// the integer part alone.
TEST(FloatToStrFFixed, ExactQuartersAgainstIntegerText) {
    std::mt19937_64 rng(3);
    std::uniform_int_distribution<long long> integer(-999999999999LL, 999999999999LL);
    const char* quarters[] = {"00", "25", "50", "75"};
    for (int i = 0; i < 1000; ++i) {
        const long long n = integer(rng);
        const int q = static_cast<int>(rng() % 4);
        const long double value = static_cast<long double>(n) + (n < 0 ? -q : q) / 4.0L;
        std::string expected = n < 0 ? "-" : "";
        expected += std::to_string(std::llabs(n));
        expected += ',';
        expected += quarters[q];
        ASSERT_EQ(FloatToStrF(value, fw::ffFixed, 15, 2, comma), expected) << n << " " << q;
    }
}

TEST(FloatToStrFFixed, SpecialValues) {
    EXPECT_EQ(Fixed52(std::numeric_limits<long double>::infinity()), "INF");
    EXPECT_EQ(Fixed52(-std::numeric_limits<long double>::infinity()), "-INF");
    EXPECT_EQ(Fixed52(std::numeric_limits<long double>::quiet_NaN()), "NAN");
    EXPECT_EQ(FloatToStrF(std::numeric_limits<long double>::infinity(), fw::ffGeneral, 15, 0, dot), "INF");
}

TEST(FloatToStrFFixed, ExtendedExtremes) {
    EXPECT_EQ(Fixed52(std::numeric_limits<long double>::max()), "1.1897E4932");
    EXPECT_EQ(Fixed52(std::numeric_limits<long double>::denorm_min()), "0.00");
}

TEST(FloatToStrFNumber, GroupsThousands) {
    EXPECT_EQ(FloatToStrF(1234567.891, fw::ffNumber, 15, 2, dot), "1,234,567.89");
    EXPECT_EQ(FloatToStrF(-1234567.891, fw::ffNumber, 15, 2, comma), "-1.234.567,89");
    EXPECT_EQ(FloatToStrF(999.5, fw::ffNumber, 15, 0, dot), "1,000");
    EXPECT_EQ(FloatToStrF(123, fw::ffNumber, 15, 1, dot), "123.0");
}

TEST(FloatToStrFGeneral, ShortestForm) {
    EXPECT_EQ(FloatToStrF(1.5, fw::ffGeneral, 15, 0, dot), "1.5");
    EXPECT_EQ(FloatToStrF(-1.5, fw::ffGeneral, 15, 0, comma), "-1,5");
    EXPECT_EQ(FloatToStrF(100, fw::ffGeneral, 15, 0, dot), "100");
    EXPECT_EQ(FloatToStrF(0.1, fw::ffGeneral, 15, 0, dot), "0.1");
    EXPECT_EQ(FloatToStrF(0.0001, fw::ffGeneral, 15, 0, dot), "0.0001");
    EXPECT_EQ(FloatToStrF(0.00001, fw::ffGeneral, 15, 0, dot), "1E-5");
    EXPECT_EQ(FloatToStrF(1e14, fw::ffGeneral, 15, 0, dot), "100000000000000");
    EXPECT_EQ(FloatToStrF(1e15, fw::ffGeneral, 15, 0, dot), "1E15");
    EXPECT_EQ(FloatToStrF(1.25e-7, fw::ffGeneral, 15, 3, dot), "1.25E-007");
    EXPECT_EQ(FloatToStrF(2.0 / 3.0, fw::ffGeneral, 4, 0, dot), "0.6667");
    EXPECT_EQ(FloatToStrF(-0.0, fw::ffGeneral, 15, 0, dot), "0");
}

TEST(FloatToStrFExponent, FixedDigitCountAndSignedExponent) {
    EXPECT_EQ(FloatToStrF(1234.5, fw::ffExponent, 4, 2, dot), "1.235E+03");
    EXPECT_EQ(FloatToStrF(-0.00012, fw::ffExponent, 3, 0, comma), "-1,20E-4");
    EXPECT_EQ(FloatToStrF(0.0, fw::ffExponent, 3, 2, dot), "0.00E+00");
    EXPECT_EQ(FloatToStrF(7.0, fw::ffExponent, 1, 1, dot), "7E+0");
}

}  // namespace
