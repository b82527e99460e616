#include <gtest/gtest.h>

#include <bit>
#include <cstdint>
#include <cstdlib>
#include <limits>

#include "framework/core/ShortestText.h"

namespace {

// The fewest digits that read back to the same bits, in whichever of the
// plain and the exponent forms is shorter.
TEST(ShortestText, IsTheShortestTextThatReadsBackBitForBit) {
    const struct {
        double value;
        const char* text;
    } cases[] = {
        {0.1 + 0.2, "0.30000000000000004"},
        {100.0, "100"},
        {1e21, "1e+21"},
        {-0.0, "-0"},
        {std::numeric_limits<double>::denorm_min(), "5e-324"},
        {-std::numeric_limits<double>::min(), "-2.2250738585072014e-308"},
    };
    for (const auto& c : cases) {
        const std::string text = fw::ShortestText(c.value);
        EXPECT_EQ(text, c.text);
        EXPECT_EQ(std::bit_cast<uint64_t>(std::strtod(text.c_str(), nullptr)), std::bit_cast<uint64_t>(c.value))
            << text;
    }
}

}  // namespace
