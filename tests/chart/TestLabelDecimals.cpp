// The decimals labels show with the default number format.
#include <gtest/gtest.h>

#include <vector>

#include "chart/scale/LabelDecimals.h"

namespace chart::testing {
namespace {

TEST(LabelDecimals, TheFewestThatTellNeighboursApart) {
    struct Case {
        const char* name;
        std::vector<double> values;
        int32_t decimals;
    };
    const Case cases[] = {
        {"whole numbers", {20, 15, 10, 5, 0, -5, -10}, 3},
        {"thousandths", {0.003, 0.002, 0.001, 0}, 3},
        {"halves of a thousandth", {0.002, 0.0015, 0.001, 0.0005, 0, -0.0005, -0.001}, 4},
        {"tenths of a millionth", {3e-7, 2e-7, 1e-7, 0, -1e-7, -2e-7, -3e-7}, 7},
        {"fives of a ten-millionth", {1.5e-7, 1e-7, 5e-8, 0}, 8},
        // 0.0015 reads 0.002: still apart from its neighbours, so kept.
        {"already apart when rounded", {0.003, 0.0015, 0}, 3},
        {"large values, small steps", {1000.0004, 1000.0002, 1000}, 4},
        // 1e-6 reads 0 at five decimals, apart from 0.00001.
        {"powers of ten", {1e-6, 1e-5, 1e-4, 1e-3, 1e-2}, 5},
        {"repeats only at the end", {1, 0.5, 0.0002, 0.0001}, 4},
        {"one label", {0}, 3},
        {"none", {}, 3},
        {"equal values cannot be told apart", {0.25, 0.25}, 3},
        {"beyond the most decimals", {1e-17, 2e-17}, 3},
    };
    for (const Case& c : cases) EXPECT_EQ(DistinctLabelDecimals(c.values), c.decimals) << c.name;
}

}  // namespace
}  // namespace chart::testing
