// Values to pixels and back: linear, logarithmic, inverted and depth
// mappings, rounding of half pixels, and values whose pixel would not fit
// in 32 bits.

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <random>

#include "AxisTestChart.h"

namespace chart::testing {
namespace {

class AxisMappingTest : public ::testing::Test {
protected:
    // Bottom axis over pixels 50 ... 650, left axis over rows 20 ... 270.
    void Show(TCustomChartAxis& axis, double minimum, double maximum) {
        axis.SetMinMax(minimum, maximum);
        axis.AdjustMaxMin();
        axis.InternalCalcPositions();
    }

    AxisTestChart chart;
};

TEST_F(AxisMappingTest, LinearHorizontalAndVertical) {
    Show(chart.bottom, 0, 512);
    EXPECT_EQ(chart.bottom.CalcXPosValue(0), 50);
    EXPECT_EQ(chart.bottom.CalcXPosValue(512), 650);
    EXPECT_EQ(chart.bottom.CalcXPosValue(256), 350);
    // 100 * 600 / 512 = 117.1875.
    EXPECT_EQ(chart.bottom.CalcXPosValue(100), 167);
    EXPECT_EQ(chart.bottom.CalcPosValue(100), 167);
    Show(chart.left, -5, 20);
    // The minimum at the bottom end, larger values upwards: 10 pixels a value.
    EXPECT_EQ(chart.left.CalcYPosValue(-5), 270);
    EXPECT_EQ(chart.left.CalcYPosValue(20), 20);
    EXPECT_EQ(chart.left.CalcYPosValue(0), 220);
    EXPECT_EQ(chart.left.CalcPosValue(0), 220);
    // Values outside the range lie beyond the ends.
    EXPECT_EQ(chart.left.CalcYPosValue(-10), 320);
}

TEST_F(AxisMappingTest, HalfPixelsRoundToEven) {
    chart.plot = fw::Rect(0, 0, 10, 10);
    Show(chart.bottom, 0, 4);
    // 2.5 pixels per value: 1 -> 2.5 -> 2, 3 -> 7.5 -> 8, 0.2 -> 0.5 -> 0, 0.6 -> 1.5 -> 2.
    EXPECT_EQ(chart.bottom.CalcXPosValue(1), 2);
    EXPECT_EQ(chart.bottom.CalcXPosValue(3), 8);
    EXPECT_EQ(chart.bottom.CalcXPosValue(0.2), 0);
    EXPECT_EQ(chart.bottom.CalcXPosValue(0.6), 2);
    Show(chart.left, 0, 4);
    EXPECT_EQ(chart.left.CalcYPosValue(1), 10 - 2);
    EXPECT_EQ(chart.left.CalcYPosValue(3), 10 - 8);
    EXPECT_EQ(chart.bottom.CalcSizeValue(1), 2);
    EXPECT_EQ(chart.bottom.CalcSizeValue(3), 8);
}

TEST_F(AxisMappingTest, InvertedAxesSwapTheEnds) {
    Show(chart.left, 0, 10);
    chart.left.SetInverted(true);
    EXPECT_EQ(chart.left.CalcYPosValue(0), 20);
    EXPECT_EQ(chart.left.CalcYPosValue(10), 270);
    EXPECT_DOUBLE_EQ(chart.left.CalcPosPoint(270), 10);
    EXPECT_DOUBLE_EQ(chart.left.CalcPosPoint(20), 0);
    Show(chart.bottom, 0, 10);
    chart.bottom.SetInverted(true);
    EXPECT_EQ(chart.bottom.CalcXPosValue(0), 650);
    EXPECT_EQ(chart.bottom.CalcXPosValue(10), 50);
    EXPECT_DOUBLE_EQ(chart.bottom.CalcPosPoint(650), 0);
    EXPECT_DOUBLE_EQ(chart.bottom.CalcPosPoint(50), 10);
}

TEST_F(AxisMappingTest, PixelToValueToPixelRoundTrips) {
    std::mt19937 random(11);
    std::uniform_real_distribution<double> value(-1e6, 1e6);
    for (int i = 0; i < 200; ++i) {
        double lo = value(random);
        double hi = value(random);
        if (lo > hi) std::swap(lo, hi);
        for (TChartAxis* axis : {&chart.bottom, &chart.left}) {
            Show(*axis, lo, hi);
            axis->SetInverted(i % 2 == 1);
            for (int p = axis->PixelStart(); p <= axis->PixelEnd(); p += 7) {
                ASSERT_EQ(axis->CalcPosValue(axis->CalcPosPoint(p)), p) << lo << " ... " << hi;
            }
            axis->SetInverted(false);
        }
    }
}

TEST_F(AxisMappingTest, PixelToValueOnAnEmptySpanIsZero) {
    chart.plot = fw::Rect(50, 20, 50, 20);
    Show(chart.bottom, 3, 9);
    EXPECT_EQ(chart.bottom.PixelLength(), 0);
    EXPECT_DOUBLE_EQ(chart.bottom.CalcPosPoint(50), 0);
}

TEST_F(AxisMappingTest, OffsetsBeyond32BitsMapToTheCentre) {
    Show(chart.bottom, 0, 1);
    // 600 pixels a value: 3e6 is 1.8e9 pixels along, still a coordinate ...
    EXPECT_EQ(chart.bottom.CalcXPosValue(3e6), 50 + 1800000000);
    // ... 1e7 (6e9 pixels) is not.
    EXPECT_EQ(chart.bottom.CalcXPosValue(1e7), 350);
    EXPECT_EQ(chart.bottom.CalcXPosValue(-1e7), 350);
    // Just inside the limit the end coordinate saturates instead of wrapping.
    EXPECT_EQ(chart.bottom.CalcXPosValue(2147483600.0 / 600), INT32_MAX);
    EXPECT_EQ(chart.bottom.CalcXPosValue(std::numeric_limits<double>::infinity()), 350);
    EXPECT_EQ(chart.bottom.CalcXPosValue(std::numeric_limits<double>::quiet_NaN()), 350);
    EXPECT_EQ(chart.bottom.CalcSizeValue(1e7), 0);
    EXPECT_EQ(chart.bottom.CalcSizeValue(-1), 0);
}

TEST_F(AxisMappingTest, Logarithmic) {
    Show(chart.bottom, 1, 1000);
    chart.bottom.SetLogarithmic(true);
    EXPECT_EQ(chart.bottom.CalcXPosValue(1), 50);
    EXPECT_EQ(chart.bottom.CalcXPosValue(10), 250);
    EXPECT_EQ(chart.bottom.CalcXPosValue(100), 450);
    EXPECT_EQ(chart.bottom.CalcXPosValue(1000), 650);
    // Non-positive values go to the low end.
    EXPECT_EQ(chart.bottom.CalcXPosValue(0), 50);
    EXPECT_EQ(chart.bottom.CalcXPosValue(-3), 50);
    EXPECT_NEAR(chart.bottom.CalcPosPoint(250), 10, 1e-9);
    EXPECT_NEAR(chart.bottom.CalcPosPoint(350), std::sqrt(1000.0), 1e-9);
    EXPECT_DOUBLE_EQ(chart.bottom.CalcPosPoint(50), 1);
    EXPECT_DOUBLE_EQ(chart.bottom.CalcPosPoint(650), 1000);
    // A length of ten times (one decade) is a third of the axis.
    EXPECT_EQ(chart.bottom.CalcSizeValue(10), 200);

    Show(chart.left, 1, 100);
    chart.left.SetLogarithmic(true);
    EXPECT_EQ(chart.left.CalcYPosValue(1), 270);
    EXPECT_EQ(chart.left.CalcYPosValue(10), 145);
    EXPECT_EQ(chart.left.CalcYPosValue(100), 20);
    EXPECT_EQ(chart.left.CalcYPosValue(0), 270);
    EXPECT_NEAR(chart.left.CalcPosPoint(145), 10, 1e-9);
    EXPECT_DOUBLE_EQ(chart.left.CalcPosPoint(20), 100);
}

TEST_F(AxisMappingTest, LogarithmicInverted) {
    Show(chart.left, 1, 100);
    chart.left.SetLogarithmic(true);
    chart.left.SetInverted(true);
    EXPECT_EQ(chart.left.CalcYPosValue(1), 20);
    EXPECT_EQ(chart.left.CalcYPosValue(100), 270);
    EXPECT_EQ(chart.left.CalcYPosValue(0), 20);
    EXPECT_DOUBLE_EQ(chart.left.CalcPosPoint(20), 1);
    EXPECT_DOUBLE_EQ(chart.left.CalcPosPoint(270), 100);
    EXPECT_NEAR(chart.left.CalcPosPoint(145), 10, 1e-9);
    for (int p = 21; p < 270; p += 5) EXPECT_EQ(chart.left.CalcYPosValue(chart.left.CalcPosPoint(p)), p);
}

TEST_F(AxisMappingTest, LogarithmicEmptyRangeMapsToTheCentre) {
    chart.bottom.SetAutomatic(false);
    chart.bottom.SetMaximum(5);
    chart.bottom.SetMinimum(5);
    chart.bottom.SetLogarithmic(true);
    chart.bottom.InternalCalcPositions();
    EXPECT_EQ(chart.bottom.CalcXPosValue(5), 350);
    EXPECT_EQ(chart.bottom.CalcXPosValue(0), 350);
    EXPECT_DOUBLE_EQ(chart.bottom.CalcPosPoint(300), 5);
    EXPECT_EQ(chart.bottom.CalcSizeValue(2), 0);
}

TEST_F(AxisMappingTest, DepthAlongTheTotalDepth) {
    chart.totalDepth = 40;
    chart.depth.SetMinMax(0, 10);
    chart.depth.AdjustMaxMin();
    EXPECT_EQ(chart.depth.CalcXPosValue(2.5), 10);
    EXPECT_EQ(chart.depth.CalcYPosValue(2.5), 10);
    chart.depth.SetInverted(true);
    EXPECT_EQ(chart.depth.CalcXPosValue(2.5), 30);
    chart.depth.SetMinimum(3);
    chart.depth.SetMaximum(3);
    chart.depth.AdjustMaxMin();
    EXPECT_EQ(chart.depth.CalcXPosValue(7), 20);
}

}  // namespace
}  // namespace chart::testing
