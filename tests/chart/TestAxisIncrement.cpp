// The label increment: how many labels fit, and the 1-2-5 search, checked
// against hand-worked cases and a plain reference search.

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <random>
#include <vector>

#include "chart/scale/AxisIncrement.h"
#include "chart/scale/DateTimeSteps.h"

namespace chart {
namespace {

// The 1-2-5 values from 1e-12 to 1e15, each computed directly as m * 10^k.
std::vector<long double> OneTwoFiveValues() {
    std::vector<long double> values;
    for (int k = -12; k <= 15; ++k) {
        for (int m : {1, 2, 5}) values.push_back(m * std::pow(10.0L, k));
    }
    return values;
}

// Reference: the start value, then every 1-2-5 value above it, the first
// whose rounded label count fits.
long double ReferenceIncrement(int maxLabels, long double start, long double range) {
    std::vector<long double> candidates{start};
    for (long double v : OneTwoFiveValues()) {
        if (v > start * (1 + 1e-9L)) candidates.push_back(v);
    }
    for (long double c : candidates) {
        if (std::nearbyint(range / c) <= maxLabels) return c;
    }
    return -1;
}

TEST(AxisIncrement, NextStepFollowsOneTwoFive) {
    EXPECT_DOUBLE_EQ(ChartNextStep(1), 2);
    EXPECT_DOUBLE_EQ(ChartNextStep(2), 5);
    EXPECT_DOUBLE_EQ(ChartNextStep(3), 5);
    EXPECT_DOUBLE_EQ(ChartNextStep(5), 10);
    EXPECT_DOUBLE_EQ(ChartNextStep(10), 20);
    EXPECT_DOUBLE_EQ(ChartNextStep(20), 50);
    EXPECT_DOUBLE_EQ(ChartNextStep(700), 1000);
    EXPECT_NEAR(ChartNextStep(0.1), 0.2, 1e-15);
    EXPECT_NEAR(ChartNextStep(0.0001), 0.0002, 1e-18);
    // The smallest increments move on like any other.
    EXPECT_NEAR(ChartNextStep(1e-12), 2e-12, 1e-24);
    EXPECT_NEAR(ChartNextStep(ChartNextStep(1e-12)), 5e-12, 1e-24);
    EXPECT_NEAR(ChartNextStep(5e-12), 1e-11, 1e-23);
    EXPECT_NEAR(ChartNextStep(1e-11), 2e-11, 1e-23);
    EXPECT_NEAR(ChartNextStep(1e300), 2e300, 1e288);
    // Not a sequence value: the next one above it.
    EXPECT_DOUBLE_EQ(ChartNextStep(1.5), 2);
    EXPECT_DOUBLE_EQ(ChartNextStep(0.3) * 10, 5);
}

TEST(AxisIncrement, NextStepOfNonFiniteOrNonPositiveStaysPut) {
    const double inf = std::numeric_limits<double>::infinity();
    EXPECT_EQ(ChartNextStep(inf), inf);
    EXPECT_EQ(ChartNextStep(0), 0);
    EXPECT_EQ(ChartNextStep(-1), -1);
}

TEST(AxisIncrement, LabelsThatFitCountTheSeparation) {
    // 18 + Round(1.8) = 20 pixels a label; 600 / 20.
    EXPECT_EQ(MaxNumLabels(600, 18, 10), 30);
    // 13 + Round(1.3) = 14; Round(250 / 14) = Round(17.86).
    EXPECT_EQ(MaxNumLabels(250, 13, 10), 18);
    // No separation: 600 / 18 = 33.3.
    EXPECT_EQ(MaxNumLabels(600, 18, 0), 33);
    // A half rounds to even: 25 / 10 = 2.5.
    EXPECT_EQ(MaxNumLabels(25, 10, 0), 2);
    EXPECT_EQ(MaxNumLabels(35, 10, 0), 4);
    EXPECT_EQ(MaxNumLabels(600, 0, 10), 1);
}

TEST(AxisIncrement, HandWorkedRanges) {
    // 0 ... 512 with 30 labels: 1, 2, 5, 10 give 512, 256, 102, 51; 20 gives 26.
    EXPECT_DOUBLE_EQ(InternalCalcLabelsIncrement(30, 0, 512, 10), 20);
    // -3.2 ... 7.9 with 18 labels: Round(11.1) = 11 fits at once.
    EXPECT_DOUBLE_EQ(InternalCalcLabelsIncrement(18, 0, 7.9 - -3.2, 10), 1);
    // 0.0012 ... 0.0047: 35 labels of 0.0001 do not fit 18, 17.5 -> 18 do.
    EXPECT_NEAR(InternalCalcLabelsIncrement(18, 0, 0.0047 - 0.0012, 10), 0.0002, 1e-15);
    // A desired increment is a lower bound: 3 -> 5 -> 10 -> 20.
    EXPECT_DOUBLE_EQ(InternalCalcLabelsIncrement(30, 3, 512, 10), 20);
    // ... and is kept when its labels fit.
    EXPECT_DOUBLE_EQ(InternalCalcLabelsIncrement(30, 50, 512, 10), 50);
}

TEST(AxisIncrement, NoSeparationSkipsTheSearch) {
    EXPECT_DOUBLE_EQ(InternalCalcLabelsIncrement(30, 0, 512, 0), 1);
    EXPECT_DOUBLE_EQ(InternalCalcLabelsIncrement(30, 3, 512, 0), 3);
    EXPECT_DOUBLE_EQ(InternalCalcLabelsIncrement(30, 0, 0.5, 0), kMinAxisIncrement);
}

TEST(AxisIncrement, EmptyAndNegativeRanges) {
    // Nothing to divide: the starting step, never below 1e-12.
    EXPECT_DOUBLE_EQ(InternalCalcLabelsIncrement(30, 0, 0, 10), kMinAxisIncrement);
    // A backwards range counts negative labels, which always fit.
    EXPECT_DOUBLE_EQ(InternalCalcLabelsIncrement(30, 0, -512, 10), 1);
    EXPECT_DOUBLE_EQ(CalcLabelsIncrement(0, 0, 512, 10, false), kMinAxisIncrement);
    EXPECT_DOUBLE_EQ(CalcLabelsIncrement(-3, 0, 512, 10, true), DateTimeStep[dtOneSecond]);
}

TEST(AxisIncrement, HugeRangesStepPastTheCountLimit) {
    // 1e300 / 1 is far beyond a 32-bit count: the step grows without counting.
    const double step = InternalCalcLabelsIncrement(10, 0, 1e300, 10);
    EXPECT_LE(std::nearbyint(1e300 / step), 10);
    EXPECT_GT(std::nearbyint(1e300 / (step / 2.5)), 10);
    // An infinite range has no fitting step; the search still ends.
    const double inf = std::numeric_limits<double>::infinity();
    EXPECT_GT(InternalCalcLabelsIncrement(10, 0, inf, 10), 0);
    EXPECT_GT(InternalCalcLabelsIncrement(10, inf, 100, 10), 0);
}

TEST(AxisIncrement, AgreesWithReferenceSearch) {
    std::mt19937 random(7);
    std::uniform_real_distribution<double> exponent(-6, 9);
    std::uniform_real_distribution<double> mantissa(1, 10);
    std::uniform_int_distribution<int> labels(1, 60);
    for (int i = 0; i < 2000; ++i) {
        const double range = mantissa(random) * std::pow(10.0, std::floor(exponent(random)));
        const int n = labels(random);
        const double start = range >= 1 ? 1.0 : kMinAxisIncrement;
        const long double expected = ReferenceIncrement(n, start, range);
        const double got = InternalCalcLabelsIncrement(n, 0, range, 10);
        ASSERT_NEAR(got, static_cast<double>(expected), 1e-9 * static_cast<double>(expected))
            << "range " << range << " labels " << n;
    }
}

TEST(DateTimeIncrement, WalksTheCalendarSteps) {
    // 30 days with 10 labels: the search starts at 30 / 1e6 days (2.6 s) and
    // climbs 5 s, 10 s, ..., 1 day (30 labels), 2 days (15), 3 days (10).
    EXPECT_DOUBLE_EQ(CalcDateTimeIncrement(10, 0, 30), 3);
    // One hour with 6 labels: 1 s, 5 s, ... 10 min gives 6.
    EXPECT_DOUBLE_EQ(CalcDateTimeIncrement(6, 0, 1.0 / 24), DateTimeStep[dtTenMinutes]);
    // Ten years with 4 labels: beyond a year the step doubles: 365, 730, 1460.
    EXPECT_DOUBLE_EQ(CalcDateTimeIncrement(4, 0, 3650), 1460);
    // Never below one second, even for an empty range.
    EXPECT_DOUBLE_EQ(CalcDateTimeIncrement(10, 0, 0), DateTimeStep[dtOneSecond]);
    EXPECT_DOUBLE_EQ(CalcLabelsIncrement(10, 0, 30, 10, true), 3);
}

}  // namespace
}  // namespace chart
