// Which values get a label: the sequence counted down from the top of the
// range, its limits, and logarithmic labels. Expected values are worked out
// by hand from the counting rule.

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <limits>
#include <vector>

#include "chart/scale/AxisLabelValues.h"
#include "framework/core/DateTime.h"

namespace chart {
namespace {

struct Labels {
    bool drawn = false;
    std::vector<double> values;
};

Labels ValueLabels(double minimum, double maximum, double increment, bool labelsOnAxis = true, bool roundFirst = true) {
    TValueLabelSettings s;
    s.Minimum = minimum;
    s.Maximum = maximum;
    s.Increment = increment;
    s.LabelsOnAxis = labelsOnAxis;
    s.RoundFirstLabel = roundFirst;
    Labels result;
    result.drawn = ForEachValueLabel(s, [&](double v) { result.values.push_back(v); });
    return result;
}

void ExpectSequence(const std::vector<double>& got, const std::vector<double>& expected) {
    ASSERT_EQ(got.size(), expected.size());
    for (std::size_t i = 0; i < got.size(); ++i) {
        const double tolerance = 1e-9 * std::max(std::fabs(expected[i]), 1e-6);
        EXPECT_NEAR(got[i], expected[i], tolerance) << "label " << i;
    }
}

TEST(AxisLabelValues, CountsDownFromTheTopMultiple) {
    // 512 / 20 = 25.6: the first label is 25 * 20 = 500, then every 20 to 0.
    std::vector<double> expected;
    for (int v = 500; v >= 0; v -= 20) expected.push_back(v);
    const Labels labels = ValueLabels(0, 512, 20);
    EXPECT_TRUE(labels.drawn);
    ExpectSequence(labels.values, expected);
    EXPECT_EQ(labels.values.size(), 26u);
}

TEST(AxisLabelValues, StraddlingZero) {
    ExpectSequence(ValueLabels(-3.2, 7.9, 1).values, {7, 6, 5, 4, 3, 2, 1, 0, -1, -2, -3});
}

TEST(AxisLabelValues, NegativeRangeStepsDownFromAboveTheMaximum) {
    // Trunc(-0.25) * 1 = 0 lies above -0.25 and is stepped down to -1.
    ExpectSequence(ValueLabels(-7.5, -0.25, 1).values, {-1, -2, -3, -4, -5, -6, -7});
}

TEST(AxisLabelValues, SmallIncrements) {
    ExpectSequence(ValueLabels(0.0012, 0.0047, 0.0002).values,
                   {0.0046, 0.0044, 0.0042, 0.0040, 0.0038, 0.0036, 0.0034, 0.0032, 0.0030, 0.0028, 0.0026, 0.0024,
                    0.0022, 0.0020, 0.0018, 0.0016, 0.0014});
}

TEST(AxisLabelValues, LabelsOnAxisKeepsOrDropsTheEnds) {
    ExpectSequence(ValueLabels(0, 500, 100).values, {500, 400, 300, 200, 100, 0});
    ExpectSequence(ValueLabels(0, 500, 100, false).values, {400, 300, 200, 100});
}

TEST(AxisLabelValues, UnroundedFirstLabelStartsAtTheMaximum) {
    ExpectSequence(ValueLabels(0, 512, 100, true, false).values, {512, 412, 312, 212, 112, 12});
}

TEST(AxisLabelValues, EmptyRanges) {
    // 0 ... 0 with the smallest increment: one label at the value.
    const Labels zero = ValueLabels(0, 0, 1e-12);
    EXPECT_TRUE(zero.drawn);
    ExpectSequence(zero.values, {0});
    // 0.001 / 1e-12 = 1e9 still fits a 32-bit count.
    ExpectSequence(ValueLabels(0.001, 0.001, 1e-12).values, {0.001});
    // 4.5 / 1e-12 does not: no labels at all.
    const Labels big = ValueLabels(4.5, 4.5, 1e-12);
    EXPECT_FALSE(big.drawn);
    EXPECT_TRUE(big.values.empty());
}

TEST(AxisLabelValues, TooManyIncrementsDrawNothing) {
    // Every integer of 0 ... 512 is fine; 0 ... 20000 holds 20000 >= 10000 steps.
    EXPECT_EQ(ValueLabels(0, 512, 1).values.size(), 513u);
    EXPECT_EQ(ValueLabels(0, 9999, 1).values.size(), 10000u);
    const Labels many = ValueLabels(0, 20000, 1);
    EXPECT_FALSE(many.drawn);
    EXPECT_TRUE(many.values.empty());
}

TEST(AxisLabelValues, BackwardsOrUnusableRangesDrawNoLabels) {
    EXPECT_TRUE(ValueLabels(10, 0, 1).values.empty());
    const double nan = std::numeric_limits<double>::quiet_NaN();
    EXPECT_FALSE(ValueLabels(0, nan, 1).drawn);
    EXPECT_FALSE(ValueLabels(0, 10, nan).drawn);
}

TEST(AxisLabelValues, CalendarMonthsFromTheFirstOfTheMonth) {
    TValueLabelSettings s;
    s.Minimum = fw::EncodeDate(2023, 11, 10);
    s.Maximum = fw::EncodeDate(2024, 3, 20) + 0.5;
    s.Increment = 30;
    s.DateTime = true;
    s.Step = dtOneMonth;
    std::vector<double> values;
    ForEachValueLabel(s, [&](double v) { values.push_back(v); });
    ExpectSequence(values, {fw::EncodeDate(2024, 3, 1), fw::EncodeDate(2024, 2, 1), fw::EncodeDate(2024, 1, 1),
                            fw::EncodeDate(2023, 12, 1)});
}

TEST(AxisLabelValues, DaysRoundTheFirstLabelThenSubtract) {
    TValueLabelSettings s;
    s.Minimum = fw::EncodeDate(2024, 1, 1);
    s.Maximum = fw::EncodeDate(2024, 1, 4) + 0.75;
    s.Increment = 1;
    s.DateTime = true;
    s.Step = dtOneDay;
    std::vector<double> values;
    ForEachValueLabel(s, [&](double v) { values.push_back(v); });
    ExpectSequence(values, {fw::EncodeDate(2024, 1, 4), fw::EncodeDate(2024, 1, 3), fw::EncodeDate(2024, 1, 2),
                            fw::EncodeDate(2024, 1, 1)});
}

struct LogLabels {
    std::vector<double> labels;
    std::vector<double> minor;
};

LogLabels RunLog(const TLogLabelSettings& s) {
    LogLabels r;
    ForEachLogLabel(
        s, [&](double v) { r.labels.push_back(v); }, [&](double v) { r.minor.push_back(v); });
    return r;
}

TEST(AxisLogLabels, PowersOfTheBaseWithMinorTicks) {
    TLogLabelSettings s{1, 1000, 10, 1};
    const LogLabels r = RunLog(s);
    ExpectSequence(r.labels, {1, 10, 100, 1000});
    // One minor tick halfway (linearly) to the next power, none past 1000.
    ExpectSequence(r.minor, {5.5, 55, 550});
}

TEST(AxisLogLabels, FirstPowerNearestTheMinimum) {
    // log10(40) = 1.6 rounds to 2: 100 is the first label, 10 is never made.
    TLogLabelSettings s{40, 5000, 10, 0};
    ExpectSequence(RunLog(s).labels, {100, 1000});
    // log10(20) = 1.3 rounds to 1: 10 lies below the range and gets no label,
    // and its minor ticks below 20 are left out too.
    TLogLabelSettings t{20, 150, 10, 3};
    const LogLabels r = RunLog(t);
    ExpectSequence(r.labels, {100});
    ExpectSequence(r.minor, {32.5, 55, 77.5});
}

TEST(AxisLogLabels, NonPositiveMinimumIsReplaced) {
    EXPECT_DOUBLE_EQ(LogLabelsMinimum(0), 0.1);
    EXPECT_DOUBLE_EQ(LogLabelsMinimum(-5), 1e-10);
    EXPECT_DOUBLE_EQ(LogLabelsMinimum(3), 3);
    ExpectSequence(RunLog({0, 1, 10, 0}).labels, {0.1, 1});
    ExpectSequence(RunLog({-5, 2e-8, 10, 0}).labels, {1e-10, 1e-9, 1e-8});
}

TEST(AxisLogLabels, EmptyOrEndlessRanges) {
    TLogLabelSettings empty{5, 5, 10, 0};
    EXPECT_TRUE(RunLog(empty).labels.empty());
    TLogLabelSettings endless{1, std::numeric_limits<double>::infinity(), 10, 0};
    EXPECT_EQ(RunLog(endless).labels.size(), 309u);  // 1e0 ... 1e308
}

}  // namespace
}  // namespace chart
