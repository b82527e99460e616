// Axis visibility and automatic range from the series, the range setters
// and their errors, zoom and scroll, placement along the plot rectangle.

#include <gtest/gtest.h>

#include <string>

#include "AxisTestChart.h"
#include "chart/base/AxisException.h"
#include "chart/axis/ChartAxisTitle.h"
#include "chart/base/ChartException.h"

namespace chart::testing {
namespace {

class NoAxisSeries : public TChartSeries {
public:
    bool UseAxis() const override { return false; }
};

template <typename F>
std::string ErrorOf(F&& f) {
    try {
        f();
    } catch (const fw::Exception& e) {
        return e.Message();
    }
    return "(no error)";
}

class AxisRangeTest : public ::testing::Test {
protected:
    void AddPoints(TChartSeries& s, std::initializer_list<std::pair<double, double>> points) {
        for (auto [x, y] : points) s.AddXY(x, y);
    }

    AxisTestChart chart;
};

TEST_F(AxisRangeTest, AxesWithoutSeriesAreShownButTheDepthAxisFollowsView3D) {
    for (TCustomChartAxis* a : {&chart.bottom, &chart.top, &chart.left, &chart.right}) {
        EXPECT_TRUE(chart.IsAxisVisible(*a));
    }
    EXPECT_FALSE(chart.depth.Visible());
    EXPECT_FALSE(chart.IsAxisVisible(chart.depth));
    chart.depth.SetVisible(true);
    EXPECT_FALSE(chart.IsAxisVisible(chart.depth));
    chart.view3D = true;
    EXPECT_TRUE(chart.IsAxisVisible(chart.depth));
}

TEST_F(AxisRangeTest, SeriesShowOnlyTheAxesTheyUse) {
    TChartSeries s;
    chart.AddSeries(s);
    EXPECT_TRUE(chart.IsAxisVisible(chart.bottom));
    EXPECT_TRUE(chart.IsAxisVisible(chart.left));
    EXPECT_FALSE(chart.IsAxisVisible(chart.top));
    EXPECT_FALSE(chart.IsAxisVisible(chart.right));
    // An inactive series counts as absent.
    s.SetActive(false);
    EXPECT_TRUE(chart.IsAxisVisible(chart.top));
    // So does a series that uses no axes.
    NoAxisSeries pie;
    chart.AddSeries(pie);
    EXPECT_TRUE(chart.IsAxisVisible(chart.right));
    s.SetActive(true);
    s.SetHorizAxis(aBothHorizAxis);
    EXPECT_TRUE(chart.IsAxisVisible(chart.top));
    // Hidden axes, or no axes at all on the chart.
    chart.bottom.SetVisible(false);
    EXPECT_FALSE(chart.IsAxisVisible(chart.bottom));
    chart.axisVisible = false;
    EXPECT_FALSE(chart.IsAxisVisible(chart.left));
}

TEST_F(AxisRangeTest, AutomaticRangeIsExactlyTheDataRange) {
    TChartSeries a;
    TChartSeries b;
    chart.AddSeries(a);
    chart.AddSeries(b);
    AddPoints(a, {{2, 5}, {4, -1.5}, {3, 7}});
    AddPoints(b, {{-1, 2}, {10, 3}});
    chart.LayOutAxes();
    EXPECT_DOUBLE_EQ(chart.bottom.ShownMinimum(), -1);
    EXPECT_DOUBLE_EQ(chart.bottom.ShownMaximum(), 10);
    EXPECT_DOUBLE_EQ(chart.bottom.ShownRange(), 11);
    EXPECT_DOUBLE_EQ(chart.left.ShownMinimum(), -1.5);
    EXPECT_DOUBLE_EQ(chart.left.ShownMaximum(), 7);
    // The automatic ends are written into Minimum and Maximum.
    EXPECT_DOUBLE_EQ(chart.left.Minimum(), -1.5);
    EXPECT_DOUBLE_EQ(chart.left.Maximum(), 7);
    // The top and right axes have no series.
    EXPECT_DOUBLE_EQ(chart.top.ShownRange(), 0);
    EXPECT_DOUBLE_EQ(chart.right.ShownMaximum(), 0);
}

TEST_F(AxisRangeTest, OnlyActiveSeriesWithPointsOnTheAxisSideCount) {
    TChartSeries bottomSeries;
    TChartSeries topSeries;
    TChartSeries inactive;
    TChartSeries empty;
    for (TChartSeries* s : {&bottomSeries, &topSeries, &inactive, &empty}) chart.AddSeries(*s);
    topSeries.SetHorizAxis(aTopAxis);
    AddPoints(bottomSeries, {{1, 1}, {2, 2}});
    AddPoints(topSeries, {{100, 1}, {200, 2}});
    AddPoints(inactive, {{-50, 1}, {500, 2}});
    inactive.SetActive(false);
    chart.LayOutAxes();
    EXPECT_DOUBLE_EQ(chart.bottom.ShownMinimum(), 1);
    EXPECT_DOUBLE_EQ(chart.bottom.ShownMaximum(), 2);
    EXPECT_DOUBLE_EQ(chart.top.ShownMinimum(), 100);
    EXPECT_DOUBLE_EQ(chart.top.ShownMaximum(), 200);
    topSeries.SetHorizAxis(aBothHorizAxis);
    chart.LayOutAxes();
    EXPECT_DOUBLE_EQ(chart.bottom.ShownMinimum(), 1);
    EXPECT_DOUBLE_EQ(chart.bottom.ShownMaximum(), 200);
    EXPECT_DOUBLE_EQ(chart.top.ShownMinimum(), 100);
}

TEST_F(AxisRangeTest, SeriesWithoutPointsGiveTheEmptyRange) {
    TChartSeries s;
    chart.AddSeries(s);
    chart.left.SetMinMax(3, 9);
    chart.left.SetAutomatic(true);
    chart.LayOutAxes();
    EXPECT_DOUBLE_EQ(chart.left.ShownMinimum(), 0);
    EXPECT_DOUBLE_EQ(chart.left.ShownMaximum(), 0);
    // Every value maps to the middle of the axis.
    EXPECT_EQ(chart.left.CalcYPosValue(-5), chart.left.PixelCenter());
    EXPECT_EQ(chart.left.CalcYPosValue(123), (20 + 270) / 2);
}

TEST_F(AxisRangeTest, ManualEndsAreKept) {
    TChartSeries s;
    chart.AddSeries(s);
    AddPoints(s, {{0, -4}, {10, 6}});
    chart.left.SetMaximum(50);
    chart.left.SetAutomaticMaximum(false);
    EXPECT_FALSE(chart.left.Automatic());
    chart.LayOutAxes();
    EXPECT_DOUBLE_EQ(chart.left.ShownMinimum(), -4);
    EXPECT_DOUBLE_EQ(chart.left.ShownMaximum(), 50);
    // One automatic end may pass the fixed one: the range runs backwards.
    chart.left.SetAutomaticMaximum(true);
    chart.left.SetAutomaticMinimum(false);
    s.Clear();
    AddPoints(s, {{0, -20}, {1, -10}});
    chart.LayOutAxes();
    EXPECT_DOUBLE_EQ(chart.left.ShownMinimum(), -4);
    EXPECT_DOUBLE_EQ(chart.left.ShownMaximum(), -10);
    EXPECT_LT(chart.left.ShownRange(), 0);
}

TEST_F(AxisRangeTest, PagingShowsOnePageOfTheIndexAxis) {
    TChartSeries s;
    chart.AddSeries(s);
    for (int i = 0; i < 12; ++i) s.AddXY(i * 2.0, 100 + i);
    chart.maxPointsPerPage = 5;
    chart.page = 2;
    chart.LayOutAxes();
    // Points 5 ... 9.
    EXPECT_DOUBLE_EQ(chart.bottom.ShownMinimum(), 10);
    EXPECT_DOUBLE_EQ(chart.bottom.ShownMaximum(), 18);
    // The value axis keeps the whole data range.
    EXPECT_DOUBLE_EQ(chart.left.ShownMinimum(), 100);
    EXPECT_DOUBLE_EQ(chart.left.ShownMaximum(), 111);
    // The short last page: points 10 and 11, stretched to a whole page.
    chart.page = 3;
    chart.scaleLastPage = false;
    chart.LayOutAxes();
    EXPECT_DOUBLE_EQ(chart.bottom.ShownMinimum(), 20);
    EXPECT_DOUBLE_EQ(chart.bottom.ShownMaximum(), 20 + (22 - 20) * 5.0 / 2);
    // A page past the end shows the page before the last whole one.
    chart.page = 9;
    chart.LayOutAxes();
    EXPECT_DOUBLE_EQ(chart.bottom.ShownMinimum(), 10);
    EXPECT_DOUBLE_EQ(chart.bottom.ShownMaximum(), 18);
    // A page number below 1 shows the first page.
    chart.page = -2;
    chart.LayOutAxes();
    EXPECT_DOUBLE_EQ(chart.bottom.ShownMinimum(), 0);
    EXPECT_DOUBLE_EQ(chart.bottom.ShownMaximum(), 8);
}

TEST_F(AxisRangeTest, DepthAxisSpansTheDepthSlots) {
    chart.topZOrder = 2;
    chart.LayOutAxes();
    EXPECT_DOUBLE_EQ(chart.depth.ShownMinimum(), -0.5);
    EXPECT_DOUBLE_EQ(chart.depth.ShownMaximum(), 2.5);
}

TEST_F(AxisRangeTest, RangeSettersRefuseInvalidValues) {
    chart.left.SetMaximum(10);
    EXPECT_EQ(ErrorOf([&] { chart.left.SetMinimum(11); }), "Axis Minimum Value must be <= Maximum");
    EXPECT_DOUBLE_EQ(chart.left.Minimum(), 0);
    EXPECT_EQ(ErrorOf([&] { chart.left.SetMaximum(-1); }), "Axis Maximum Value must be >= Minimum");
    EXPECT_DOUBLE_EQ(chart.left.Maximum(), 10);
    EXPECT_EQ(ErrorOf([&] { chart.left.SetIncrement(-0.5); }), "Axis increment must be >= 0");
    EXPECT_DOUBLE_EQ(chart.left.Increment(), 0);
    EXPECT_EQ(ErrorOf([&] { chart.left.SetLabelsSeparation(-1); }), "Labels Separation % must be greater than 0");
    chart.left.SetLabelsSeparation(0);
    EXPECT_EQ(chart.left.LabelsSeparation(), 0);
    EXPECT_EQ(ErrorOf([&] { chart.left.SetLogarithmicBase(1); }), "Axis Logarithmic Base should be >= 2");
    EXPECT_EQ(chart.left.LogarithmicBase(), 10);
    // While a layout is read the ends are not checked against each other.
    chart.loading = true;
    chart.left.SetMinimum(20);
    EXPECT_DOUBLE_EQ(chart.left.Minimum(), 20);
}

TEST_F(AxisRangeTest, ErrorsAreAxisExceptionsAndAnglesChartExceptions) {
    EXPECT_THROW(chart.left.SetIncrement(-1), AxisException);
    try {
        chart.bottom.SetLabelsAngle(360);
        FAIL() << "no error";
    } catch (const ChartException& e) {
        EXPECT_EQ(e.Message(), "Axis Labels Angle must be between 0 and 359 degrees");
    }
    EXPECT_EQ(chart.bottom.LabelsAngle(), 0);
    chart.bottom.SetLabelsAngle(359);
    EXPECT_EQ(chart.bottom.LabelsAngle(), 359);
    EXPECT_EQ(ErrorOf([&] { chart.left.Title().SetAngle(-1); }), "Axis Title Angle must be between 0 and 359 degrees");
    EXPECT_EQ(chart.left.Title().Angle(), 90);
    EXPECT_EQ(chart.right.Title().Angle(), 270);
    EXPECT_EQ(chart.top.Title().Angle(), 0);
}

TEST_F(AxisRangeTest, LogarithmicNeedsANonNegativeNumericRange) {
    TChartSeries s;
    chart.AddSeries(s);
    AddPoints(s, {{1, -2}, {2, 5}});
    EXPECT_EQ(ErrorOf([&] { chart.left.SetLogarithmic(true); }), "Logarithmic Axis Min and Max values should be >= 0");
    EXPECT_FALSE(chart.left.Logarithmic());
    chart.bottom.SetLogarithmic(true);
    EXPECT_TRUE(chart.bottom.Logarithmic());
    chart.bottom.SetLogarithmic(false);
    s.XValues().SetDateTime(true);
    EXPECT_EQ(ErrorOf([&] { chart.bottom.SetLogarithmic(true); }), "DateTime Axis cannot be Logarithmic");
    EXPECT_TRUE(chart.bottom.IsDateTime());
    EXPECT_FALSE(chart.left.IsDateTime());
}

TEST_F(AxisRangeTest, SettersRepaintOnlyOnChange) {
    const int before = chart.invalidations;
    chart.bottom.SetInverted(false);
    chart.bottom.SetLabelsSeparation(10);
    chart.bottom.Grid().SetColor(fw::clGray);
    EXPECT_EQ(chart.invalidations, before);
    chart.bottom.SetInverted(true);
    EXPECT_EQ(chart.invalidations, before + 1);
    chart.bottom.Grid().SetVisible(false);
    chart.bottom.LabelsFont().SetSize(12);
    chart.bottom.Title().SetCaption("Index");
    EXPECT_EQ(chart.invalidations, before + 4);
}

TEST_F(AxisRangeTest, AutomaticFlagsGoTogether) {
    chart.left.SetAutomatic(false);
    EXPECT_FALSE(chart.left.AutomaticMinimum());
    EXPECT_FALSE(chart.left.AutomaticMaximum());
    chart.left.SetAutomaticMinimum(true);
    EXPECT_FALSE(chart.left.Automatic());
    chart.left.SetAutomaticMaximum(true);
    EXPECT_TRUE(chart.left.Automatic());
    chart.left.SetAutomaticMinimum(false);
    EXPECT_FALSE(chart.left.Automatic());
    EXPECT_TRUE(chart.left.AutomaticMaximum());
    // A layout being read sets each flag on its own.
    chart.loading = true;
    chart.left.SetAutomatic(true);
    EXPECT_FALSE(chart.left.AutomaticMinimum());
}

TEST_F(AxisRangeTest, SetMinMaxOrdersAndSeparatesTheEnds) {
    chart.bottom.SetMinMax(9, 2);
    EXPECT_DOUBLE_EQ(chart.bottom.Minimum(), 2);
    EXPECT_DOUBLE_EQ(chart.bottom.Maximum(), 9);
    EXPECT_FALSE(chart.bottom.Automatic());
    EXPECT_FALSE(chart.bottom.AutomaticMinimum());
    EXPECT_FALSE(chart.bottom.AutomaticMaximum());
    chart.bottom.SetMinMax(5, 5);
    EXPECT_EQ(chart.bottom.Minimum(), 5);
    EXPECT_EQ(chart.bottom.Maximum(), 5 + 1e-10);
}

TEST_F(AxisRangeTest, ScrollWithLimitsMovesOnlyTowardsData) {
    TChartSeries s;
    chart.AddSeries(s);
    AddPoints(s, {{0, 0}, {100, 1}});
    chart.LayOutAxes();
    chart.bottom.Scroll(10, true);
    EXPECT_TRUE(chart.bottom.Automatic());
    EXPECT_EQ(chart.repaints, 0);
    chart.bottom.SetMinMax(20, 50);
    chart.bottom.Scroll(10, true);
    EXPECT_DOUBLE_EQ(chart.bottom.Minimum(), 30);
    EXPECT_DOUBLE_EQ(chart.bottom.Maximum(), 60);
    EXPECT_EQ(chart.repaints, 1);
    chart.bottom.Scroll(-5, true);
    EXPECT_DOUBLE_EQ(chart.bottom.Minimum(), 25);
    chart.bottom.Scroll(0, true);
    EXPECT_EQ(chart.repaints, 2);
    // Without limits it always moves, and makes the axis manual.
    chart.left.Scroll(1000, false);
    EXPECT_FALSE(chart.left.AutomaticMinimum());
    EXPECT_DOUBLE_EQ(chart.left.Maximum(), 1001);
}

TEST_F(AxisRangeTest, PositionsFollowTheStartAndEndPercentages) {
    chart.LayOutAxes();
    EXPECT_EQ(chart.bottom.PixelStart(), 50);
    EXPECT_EQ(chart.bottom.PixelEnd(), 650);
    EXPECT_EQ(chart.left.PixelStart(), 20);
    EXPECT_EQ(chart.left.PixelEnd(), 270);
    EXPECT_EQ(chart.left.PixelLength(), 250);
    EXPECT_EQ(chart.left.PixelCenter(), 145);
    chart.bottom.SetStartPosition(10);
    chart.bottom.SetEndPosition(90);
    chart.bottom.InternalCalcPositions();
    EXPECT_EQ(chart.bottom.PixelStart(), 110);
    EXPECT_EQ(chart.bottom.PixelEnd(), 590);
    EXPECT_EQ(chart.bottom.PixelCenter(), 350);
    // 250 * 0.01 * 1 = 2.5 rounds to the even 2.
    chart.left.SetStartPosition(1);
    chart.left.InternalCalcPositions();
    EXPECT_EQ(chart.left.PixelStart(), 22);
    // The centre of a span is truncated towards zero.
    EXPECT_EQ(TAxisPixelSpan::FromEnds(-7, 0).Center, -3);
    EXPECT_EQ(TAxisPixelSpan::FromEnds(3, 8).Center, 5);
}

TEST_F(AxisRangeTest, MarginsWidenTheShownRange) {
    chart.bottom.SetMinMax(0, 100);
    chart.LayOutAxes();
    chart.bottom.AdjustMaxMinRect(fw::Rect(60, 0, 40, 0));
    // The shortened span 110 ... 610 holds 0 ... 100, so the full span shows
    // -12 ... 108 (500 pixels for 100 values).
    EXPECT_EQ(chart.bottom.PixelStart(), 50);
    EXPECT_EQ(chart.bottom.PixelEnd(), 650);
    EXPECT_NEAR(chart.bottom.ShownMinimum(), -12, 1e-12);
    EXPECT_NEAR(chart.bottom.ShownMaximum(), 108, 1e-12);
    EXPECT_EQ(chart.bottom.CalcXPosValue(0), 110);
    EXPECT_EQ(chart.bottom.CalcXPosValue(100), 610);
    EXPECT_DOUBLE_EQ(chart.bottom.Maximum(), 100);
    // Vertical: top margin at the maximum end.
    chart.left.SetMinMax(0, 10);
    chart.LayOutAxes();
    chart.left.AdjustMaxMinRect(fw::Rect(0, 25, 0, 0));
    EXPECT_NEAR(chart.left.ShownMinimum(), 0, 1e-12);
    EXPECT_NEAR(chart.left.ShownMaximum(), 11.111111111111111, 1e-9);
    EXPECT_EQ(chart.left.CalcYPosValue(10), 45);
}

TEST_F(AxisRangeTest, AssignCopiesSettingsButNotGridCentring) {
    chart.bottom.SetGridCentered(true);
    chart.bottom.SetLabelsMultiLine(true);
    chart.bottom.SetIncrement(5);
    chart.bottom.Grid().SetColor(fw::clRed);
    chart.bottom.Title().SetCaption("t");
    chart.top.Assign(chart.bottom);
    EXPECT_DOUBLE_EQ(chart.top.Increment(), 5);
    EXPECT_EQ(chart.top.Grid().Color(), fw::clRed);
    EXPECT_EQ(chart.top.Title().Caption(), "t");
    EXPECT_EQ(&chart.top.Title().Axis(), &chart.top);
    EXPECT_FALSE(chart.top.GridCentered());
    EXPECT_FALSE(chart.top.LabelsMultiLine());
    EXPECT_TRUE(chart.top.IsFarSide());
}

}  // namespace
}  // namespace chart::testing
