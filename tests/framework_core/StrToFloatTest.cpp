#include <gtest/gtest.h>

#include <cfloat>
#include <cmath>
#include <cstdio>
#include <random>

#include "RegionalSettings.h"

#include "framework/core/Conversions.h"
#include "framework/core/Exceptions.h"

namespace {

using fw::StrToFloat;

const fw::FormatSettings& dot = fw::test::kDotDecimal;
const fw::FormatSettings& comma = fw::test::kCommaDecimal;

std::string FloatError(const std::string& text, const fw::FormatSettings& s) {
    try {
        StrToFloat(text, s);
    } catch (const fw::EConvertError& e) {
        return e.Message();
    }
    return "no error";
}

TEST(StrToFloat, AcceptedSyntaxGivesExactValues) {
    for (const char* text : {"2.5", " 2.5 ", "+2.5", "2.5e0", "25E-1", "0.25e1", "2.5E+0", "   2.5e"})
        EXPECT_EQ(StrToFloat(text, dot), 2.5L) << text;
    EXPECT_EQ(StrToFloat("-10", dot), -10.0L);
    EXPECT_EQ(StrToFloat(".5", dot), 0.5L);
    EXPECT_EQ(StrToFloat("5.", dot), 5.0L);
    EXPECT_EQ(StrToFloat("1e+", dot), 1.0L);
    EXPECT_EQ(StrToFloat("1E-", dot), 1.0L);
}

TEST(StrToFloat, SeparatorAloneReadsZero) {
    EXPECT_EQ(StrToFloat(".", dot), 0.0L);
    EXPECT_EQ(StrToFloat(" .e5 ", dot), 0.0L);
    const long double negativeZero = StrToFloat("-.", dot);
    EXPECT_EQ(negativeZero, 0.0L);
    EXPECT_TRUE(std::signbit(negativeZero));
    EXPECT_EQ(StrToFloat(",", comma), 0.0L);
}

TEST(StrToFloat, RejectsMalformedText) {
    for (const std::string text : {"",      " ",   "2,5", "2.5x", "--2",   "+",    "-",   "e5",  "E",       "1e5.0",
                                   "1.2.3", "\t1", "1\t", "0x10", "1 000", "1e 5", "inf", "nan", "1,000.5", ". 5"}) {
        EXPECT_EQ(FloatError(text, dot), "'" + text + "' is not a valid floating point value") << '"' << text << '"';
    }
}

TEST(StrToFloat, CommaSeparatorRejectsTheDot) {
    EXPECT_EQ(StrToFloat("2,5", comma), 2.5L);
    EXPECT_EQ(StrToFloat(" -25,5E-1 ", comma), -2.55L);
    EXPECT_EQ(FloatError("2.5", comma), "'2.5' is not a valid floating point value");
    EXPECT_EQ(FloatError("1.000,5", comma), "'1.000,5' is not a valid floating point value");
}

TEST(StrToFloat, ExtendedRangeAndOverflow) {
    // Beyond double but inside the extended format: kept, the caller decides.
    const long double big = StrToFloat("1e400", dot);
    EXPECT_GT(big, static_cast<long double>(DBL_MAX));
    EXPECT_FALSE(std::isinf(big));
    EXPECT_EQ(FloatError("1e5000", dot), "'1e5000' is not a valid floating point value");
    EXPECT_EQ(FloatError("-1e99999999999999999999", dot),
              "'-1e99999999999999999999' is not a valid floating point value");
    // Far below the smallest extended value: the digits scale down to zero.
    EXPECT_EQ(StrToFloat("1e-5000", dot), 0.0L);
    EXPECT_EQ(StrToFloat("0e99999", dot), 0.0L);
}

TEST(StrToFloat, DecimalFractionsAreCorrectlyRounded) {
    // Division of exact integers is correctly rounded in the extended format.
    EXPECT_EQ(StrToFloat("0.1", dot), 1.0L / 10.0L);
    EXPECT_EQ(StrToFloat("0,3", comma), 3.0L / 10.0L);
    EXPECT_EQ(StrToFloat("1e-3", dot), 1.0L / 1000.0L);
    EXPECT_EQ(StrToFloat("12345678901234567890", dot), 12345678901234567890.0L);
}

// Twenty-one significant digits identify an extended value uniquely, so the
// printed text must read back as the very same value.
TEST(StrToFloat, RoundTripsPrintedExtendedValues) {
    std::mt19937_64 rng(7);
    std::uniform_real_distribution<double> mantissa(-10.0, 10.0);
    std::uniform_int_distribution<int> exponent(-300, 300);
    for (int i = 0; i < 2000; ++i) {
        const long double value = std::ldexp(static_cast<long double>(mantissa(rng)) / 3.0L, exponent(rng));
        char text[64];
        std::snprintf(text, sizeof text, "%.20Le", value);
        ASSERT_EQ(StrToFloat(text, dot), value) << text;
        std::string withComma = text;
        withComma[withComma.find('.')] = ',';
        ASSERT_EQ(StrToFloat(withComma, comma), value) << withComma;
    }
}

TEST(StrToFloat, DefaultSettingsAreUsedWhenNoneAreGiven) {
    fw::FormatSettings saved = fw::DefaultFormatSettings();
    fw::DefaultFormatSettings() = comma;
    EXPECT_EQ(StrToFloat("0,5"), 0.5L);
    EXPECT_THROW(StrToFloat("0.5"), fw::EConvertError);
    fw::DefaultFormatSettings() = saved;
}

}  // namespace
