#include <gtest/gtest.h>

#include "framework/core/Conversions.h"
#include "framework/core/Exceptions.h"

namespace {

using fw::StrToInt;

std::string IntegerError(const std::string& text) {
    try {
        StrToInt(text);
    } catch (const fw::EConvertError& e) {
        return e.Message();
    }
    return "no error";
}

TEST(StrToInt, DecimalWithSignsAndLeadingSpaces) {
    EXPECT_EQ(StrToInt("513"), 513);
    EXPECT_EQ(StrToInt("0"), 0);
    EXPECT_EQ(StrToInt("-7"), -7);
    EXPECT_EQ(StrToInt("+42"), 42);
    EXPECT_EQ(StrToInt("   600"), 600);
    EXPECT_EQ(StrToInt("  -0012"), -12);
    EXPECT_EQ(StrToInt("0000000000000000000000001"), 1);
}

TEST(StrToInt, ThirtyTwoBitLimits) {
    EXPECT_EQ(StrToInt("2147483647"), 2147483647);
    EXPECT_EQ(StrToInt("-2147483648"), INT32_MIN);
    EXPECT_EQ(IntegerError("2147483648"), "'2147483648' is not a valid integer value");
    EXPECT_EQ(IntegerError("-2147483649"), "'-2147483649' is not a valid integer value");
    EXPECT_EQ(IntegerError("99999999999999999999999"), "'99999999999999999999999' is not a valid integer value");
}

TEST(StrToInt, HexadecimalPrefixes) {
    EXPECT_EQ(StrToInt("$10"), 16);
    EXPECT_EQ(StrToInt("x1f"), 31);
    EXPECT_EQ(StrToInt("X1F"), 31);
    EXPECT_EQ(StrToInt("0x201"), 513);
    EXPECT_EQ(StrToInt("0XaBc"), 0xABC);
    EXPECT_EQ(StrToInt(" -$10"), -16);
    EXPECT_EQ(StrToInt("+0x10"), 16);
    EXPECT_EQ(StrToInt("$000000000007FFFFFFF"), 2147483647);
}

// A hexadecimal text names a 32-bit pattern: the whole unsigned 32-bit range
// is accepted and read as two's complement; a sign negates the pattern.
TEST(StrToInt, HexadecimalIsAThirtyTwoBitPattern) {
    EXPECT_EQ(StrToInt("$FFFFFFFF"), -1);
    EXPECT_EQ(StrToInt("$80000000"), INT32_MIN);
    EXPECT_EQ(StrToInt("-$80000000"), INT32_MIN);
    EXPECT_EQ(StrToInt("-$FFFFFFFF"), 1);
    EXPECT_EQ(IntegerError("$100000000"), "'$100000000' is not a valid integer value");
}

TEST(StrToInt, RejectsMalformedTextWithTheWholeTextInTheMessage) {
    for (const std::string text : {"",    " ",   "+",   "-",   "0x",  "$",    "x",     "1 ",  "1.0",   "abc",
                                   "12a", "--1", "+-1", "\t1", "1e3", "0x1g", "00x10", "$-1", "1,000", " - 1"}) {
        EXPECT_EQ(IntegerError(text), "'" + text + "' is not a valid integer value") << '"' << text << '"';
    }
}

TEST(StrToInt, EmbeddedNulIsNotAnEnd) {
    const std::string text(
        "12\0"
        "3",
        4);
    EXPECT_THROW(StrToInt(text), fw::EConvertError);
}

TEST(IntToStr, RoundTripsThroughStrToInt) {
    EXPECT_EQ(fw::IntToStr(0), "0");
    EXPECT_EQ(fw::IntToStr(-513), "-513");
    EXPECT_EQ(fw::IntToStr(INT64_MIN), "-9223372036854775808");
    for (int32_t v : {INT32_MIN, -1, 1, 1025, INT32_MAX}) EXPECT_EQ(StrToInt(fw::IntToStr(v)), v);
}

}  // namespace
