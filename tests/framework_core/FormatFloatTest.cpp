#include <gtest/gtest.h>

#include <limits>
#include <random>

#include "RegionalSettings.h"

#include "framework/core/FormatFloat.h"

namespace {

using fw::FormatFloat;

const fw::FormatSettings& dotDecimal = fw::test::kDotDecimal;
const fw::FormatSettings& german = fw::test::kCommaDecimal;

std::string Axis(long double value, const fw::FormatSettings& s = dotDecimal) {
    return FormatFloat("#,##0.###", value, s);
}

TEST(FormatFloatAxisDefault, LabelExamples) {
    EXPECT_EQ(Axis(512), "512");
    EXPECT_EQ(Axis(0), "0");
    EXPECT_EQ(Axis(1234.5), "1,234.5");
    EXPECT_EQ(Axis(0.0004), "0");
    EXPECT_EQ(Axis(-0.0004), "0");
    EXPECT_EQ(Axis(-3.14159), "-3.142");
    EXPECT_EQ(Axis(0.0005), "0.001");
    EXPECT_EQ(Axis(0.001), "0.001");
    EXPECT_EQ(Axis(999.9996), "1,000");
    EXPECT_EQ(Axis(-1234567.25), "-1,234,567.25");
    EXPECT_EQ(Axis(1234.5, german), "1.234,5");
    EXPECT_EQ(Axis(-0.25, german), "-0,25");
}

// Multiples of 1/8 have at most three decimals and are exact in binary, so
// the expected text follows from the integer and the eighth alone.
TEST(FormatFloatAxisDefault, EighthsAgainstGroupedIntegerText) {
    const char* eighths[] = {"", "125", "25", "375", "5", "625", "75", "875"};
    auto grouped = [](long long n, char sep) {
        std::string digits = std::to_string(n), out;
        for (size_t i = 0; i < digits.size(); ++i) {
            if (i > 0 && (digits.size() - i) % 3 == 0) out.push_back(sep);
            out.push_back(digits[i]);
        }
        return out;
    };
    std::mt19937_64 rng(9);
    std::uniform_int_distribution<long long> integer(0, 99999999999LL);
    for (int i = 0; i < 1000; ++i) {
        const long long n = integer(rng) >> (rng() % 36);
        const int q = static_cast<int>(rng() % 8);
        const bool negative = rng() % 2 == 1 && (n != 0 || q != 0);
        const long double value = (negative ? -1 : 1) * (static_cast<long double>(n) + q / 8.0L);
        std::string expected = negative ? "-" : "";
        expected += grouped(n, '.');
        if (q != 0) {
            expected += ',';
            expected += eighths[q];
        }
        ASSERT_EQ(Axis(value, german), expected) << static_cast<double>(value);
    }
}

TEST(FormatFloat, ForcedAndOptionalDigits) {
    EXPECT_EQ(FormatFloat("0.00", 2.5, dotDecimal), "2.50");
    EXPECT_EQ(FormatFloat("000", 7, dotDecimal), "007");
    EXPECT_EQ(FormatFloat("#", 0, dotDecimal), "");
    EXPECT_EQ(FormatFloat("#.##", 0.5, dotDecimal), ".5");
    EXPECT_EQ(FormatFloat(".00", 12.5, dotDecimal), "12.50");
    EXPECT_EQ(FormatFloat("0", 12345, dotDecimal), "12345");
    EXPECT_EQ(FormatFloat("0", 2.5, dotDecimal), "3");
    EXPECT_EQ(FormatFloat("0", -2.5, dotDecimal), "-3");
    EXPECT_EQ(FormatFloat("0.0", 99.96, dotDecimal), "100.0");
    EXPECT_EQ(FormatFloat("0.0#0", 1.5, dotDecimal), "1.500");
    EXPECT_EQ(FormatFloat("0.", 3, dotDecimal), "3");
}

TEST(FormatFloat, LiteralsBetweenAndAroundDigits) {
    EXPECT_EQ(FormatFloat("00-00", 1234, dotDecimal), "12-34");
    EXPECT_EQ(FormatFloat("0 'units'", 3, dotDecimal), "3 units");
    EXPECT_EQ(FormatFloat("\"x=\"0.0", -1.25, dotDecimal), "-x=1.3");
    EXPECT_EQ(FormatFloat("0';'0", 12, dotDecimal), "1;2");
    EXPECT_EQ(FormatFloat("0 %", 42, dotDecimal), "42 %");
    EXPECT_EQ(FormatFloat("0 'open", 5, dotDecimal), "5 open");
}

TEST(FormatFloat, Sections) {
    const std::string money = "#,##0.00;(#,##0.00);'zero'";
    EXPECT_EQ(FormatFloat(money, 1234.5, dotDecimal), "1,234.50");
    EXPECT_EQ(FormatFloat(money, -1234.5, dotDecimal), "(1,234.50)");
    EXPECT_EQ(FormatFloat(money, 0, dotDecimal), "zero");
    EXPECT_EQ(FormatFloat(money, -0.001, dotDecimal), "zero");
    EXPECT_EQ(FormatFloat("0.0;;'none'", -2, dotDecimal), "-2.0");
    EXPECT_EQ(FormatFloat("0.0;;'none'", 0, dotDecimal), "none");
    EXPECT_EQ(FormatFloat("0.0;", -2, dotDecimal), "-2.0");
}

TEST(FormatFloat, Scientific) {
    EXPECT_EQ(FormatFloat("0.00E+00", 1234.5, dotDecimal), "1.23E+03");
    EXPECT_EQ(FormatFloat("0.00E+00", 1235, german), "1,24E+03");
    EXPECT_EQ(FormatFloat("0.0E-0", 0.00012, dotDecimal), "1.2E-4");
    EXPECT_EQ(FormatFloat("0.0E-0", 12000, dotDecimal), "1.2E4");
    EXPECT_EQ(FormatFloat("0.0e+000", -5, dotDecimal), "-5.0e+000");
    EXPECT_EQ(FormatFloat("00.0E+0", 1234.5, dotDecimal), "12.3E+2");
    EXPECT_EQ(FormatFloat("0.00E+00", 0, dotDecimal), "0.00E+00");
    EXPECT_EQ(FormatFloat("0E+0", 9.6, dotDecimal), "1E+1");
    EXPECT_EQ(FormatFloat("0.##E+0", 1.5, dotDecimal), "1.5E+0");
}

TEST(FormatFloat, GeneralFallbacks) {
    EXPECT_EQ(FormatFloat("", 1.5, dotDecimal), "1.5");
    EXPECT_EQ(FormatFloat("", 1.5, german), "1,5");
    EXPECT_EQ(FormatFloat("#,##0", 1e19, dotDecimal), "1E19");
    EXPECT_EQ(FormatFloat("0", 123456789012345678.0L, dotDecimal), "123456789012345678");
    EXPECT_EQ(FormatFloat("0.00", std::numeric_limits<double>::quiet_NaN(), dotDecimal), "NAN");
    EXPECT_EQ(FormatFloat("0.00", -std::numeric_limits<double>::infinity(), dotDecimal), "-INF");
}

}  // namespace
