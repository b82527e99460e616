// The room an axis takes from the plot rectangle: title, labels, ticks and
// line, measured in the fonts of the stand-in chart's canvas.

#include <gtest/gtest.h>

#include <algorithm>

#include "AxisTestChart.h"
#include "chart/axis/ChartAxisTitle.h"

namespace chart::testing {
namespace {

class AxisSpaceTest : public ::testing::Test {
protected:
    void SetUp() override {
        chart.AddSeries(series);
        chart.StartImage(700, 320);
    }

    int32_t LabelsHeight() { return chart.FontHeightOf(chart.bottom.LabelsFont()); }
    int32_t LabelWidth(TCustomChartAxis& axis, const std::string& text) {
        return chart.TextWidthIn(axis.LabelsFont(), text);
    }

    static constexpr fw::TRect kArea = fw::Rect(60, 20, 660, 290);
    AxisTestChart chart;
    TChartSeries series;
};

TEST_F(AxisSpaceTest, BandDepthOfTicksAndLine) {
    EXPECT_EQ(chart.bottom.SizeTickAxis(), 6);
    chart.bottom.Ticks().SetVisible(false);
    // The line, or the minor ticks when they are longer.
    EXPECT_EQ(chart.bottom.SizeTickAxis(), 2);
    chart.bottom.SetMinorTickLength(5);
    EXPECT_EQ(chart.bottom.SizeTickAxis(), 5);
    chart.bottom.Axis().SetVisible(false);
    chart.bottom.Ticks().SetVisible(true);
    chart.bottom.MinorTicks().SetVisible(false);
    EXPECT_EQ(chart.bottom.SizeTickAxis(), 4);
}

TEST_F(AxisSpaceTest, BottomAxisTakesTheFontHeightPlusSix) {
    series.AddXY(0, 1);
    series.AddXY(100, 2);
    chart.left.SetVisible(false);
    chart.Paint(kArea);
    const int32_t height = LabelsHeight();
    EXPECT_EQ(chart.plot.Bottom, kArea.Bottom - height - 6);
    EXPECT_EQ(chart.bottom.LabelsPos(), kArea.Bottom - height);
    EXPECT_EQ(chart.bottom.LinePos(), chart.plot.Bottom);
    EXPECT_EQ(chart.plot.Left, kArea.Left);
    // Two-line labels keep the band one line deep.
    chart.bottom.SetAxisValuesFormat("0 \"units\"");
    chart.bottom.SetLabelsMultiLine(true);
    chart.Paint(kArea);
    EXPECT_EQ(chart.plot.Bottom, kArea.Bottom - height - 6);
}

TEST_F(AxisSpaceTest, LeftAxisTakesTheWidestLabelABlankAndSix) {
    series.AddXY(0, -3.2);
    series.AddXY(1, 7.9);
    chart.bottom.SetVisible(false);
    // The first repaint measures with no axis length yet: the smallest
    // increment, so the labels of the range ends themselves.
    chart.Paint(kArea);
    const int32_t blank = LabelWidth(chart.left, " ");
    const int32_t first = std::max(LabelWidth(chart.left, "-3.2"), LabelWidth(chart.left, "7.9")) + blank + 6;
    EXPECT_EQ(chart.plot.Left, kArea.Left + first);
    EXPECT_EQ(chart.left.LabelsPos(), kArea.Left + first - 6);
    // From the second on, the labels -3 and 7 of the increment 1.
    chart.Paint(kArea);
    const int32_t second = std::max(LabelWidth(chart.left, "-3"), LabelWidth(chart.left, "7")) + blank + 6;
    EXPECT_EQ(chart.plot.Left, kArea.Left + second);
    EXPECT_EQ(chart.left.LinePos(), chart.plot.Left);
    // The label event plays no part in the measure.
    chart.OnGetAxisLabel = [](TCustomChartAxis&, TChartSeries*, int32_t, std::string& text) {
        text = "a much longer label";
    };
    fw::TRect rect = kArea;
    chart.left.CalcRect(rect, true);
    EXPECT_EQ(rect.Left, kArea.Left + second);
    EXPECT_TRUE(static_cast<bool>(chart.OnGetAxisLabel)) << "the event is given back";
}

TEST_F(AxisSpaceTest, TitlesTakeTheirFontHeight) {
    series.AddXY(0, 1);
    series.AddXY(100, 2);
    chart.bottom.Title().SetCaption("Index");
    chart.bottom.Title().Font().SetSize(12);
    chart.left.Title().SetCaption("Value");
    fw::TRect bottom = kArea;
    chart.bottom.CalcRect(bottom, true);
    const int32_t titleHeight = chart.FontHeightOf(chart.bottom.Title().Font());
    EXPECT_EQ(bottom.Bottom, kArea.Bottom - titleHeight - LabelsHeight() - 6);
    EXPECT_EQ(chart.bottom.TitlePos(), kArea.Bottom - titleHeight);
    // The left title stands at 90 degrees: along the axis, one font height.
    fw::TRect left = kArea;
    chart.left.SetLabels(false);
    chart.left.CalcRect(left, true);
    EXPECT_EQ(left.Left, kArea.Left + chart.FontHeightOf(chart.left.Title().Font()) + 6);
    // Fixed sizes replace the measures.
    chart.bottom.SetTitleSize(30);
    chart.bottom.SetLabelsSize(20);
    bottom = kArea;
    chart.bottom.CalcRect(bottom, true);
    EXPECT_EQ(bottom.Bottom, kArea.Bottom - 56);
}

TEST_F(AxisSpaceTest, UprightLabelsTakeTheirWidth) {
    series.AddXY(0, 1);
    series.AddXY(1000, 2);
    chart.bottom.SetLabelsAngle(90);
    chart.bottom.SetIncrement(500);
    chart.bottom.SetLabelsSeparation(0);
    fw::TRect rect = kArea;
    chart.LayOutAxes();
    chart.bottom.CalcRect(rect, true);
    const int32_t widest = std::max(LabelWidth(chart.bottom, "1,000"), LabelWidth(chart.bottom, "0"));
    EXPECT_EQ(rect.Bottom, kArea.Bottom - widest - LabelWidth(chart.bottom, " ") - 6);
}

TEST_F(AxisSpaceTest, PositionPercentMovesTheAxisInwards) {
    series.AddXY(0, 1);
    series.AddXY(100, 2);
    chart.left.SetVisible(false);
    chart.bottom.SetPositionPercent(10);
    chart.Paint(kArea);
    const int32_t height = LabelsHeight();
    const fw::TRect plot = chart.plot;
    EXPECT_EQ(plot.Bottom, kArea.Bottom - height - 6);
    // 10 % of the plot height above the plot's bottom edge.
    const int32_t shift = static_cast<int32_t>(fw::Round(0.1L * plot.Height()));
    EXPECT_EQ(chart.bottom.LinePos(), plot.Bottom - shift);
    EXPECT_EQ(chart.bottom.LabelsPos(), kArea.Bottom - height - shift);
    // The left axis moves right.
    chart.left.SetVisible(true);
    chart.left.SetPositionPercent(50);
    fw::TRect rect = fw::Rect(0, 0, 200, 100);
    EXPECT_EQ(chart.left.ApplyPosition(10, rect), 110);
    EXPECT_EQ(chart.right.ApplyPosition(10, rect), 10);
    chart.top.SetPositionPercent(-10);
    EXPECT_EQ(chart.top.ApplyPosition(10, rect), 0);
}

TEST_F(AxisSpaceTest, AxesThatTakeNoRoomOnlyPlaceThemselves) {
    series.AddXY(0, 1);
    series.AddXY(100, 2);
    fw::TRect rect = kArea;
    chart.bottom.CalcRect(rect, false);
    EXPECT_EQ(rect, kArea);
    EXPECT_EQ(chart.bottom.LinePos(), kArea.Bottom);
    EXPECT_EQ(chart.bottom.LabelsPos(), kArea.Bottom + 6);
    EXPECT_EQ(chart.bottom.TitlePos(), kArea.Bottom + 6 + LabelsHeight());
    chart.top.CalcRect(rect, false);
    EXPECT_EQ(chart.top.LinePos(), kArea.Top);
    EXPECT_EQ(chart.top.LabelsPos(), kArea.Top - 6);
}

TEST_F(AxisSpaceTest, TextAndMarkLabelsTakeTheChartsWidths) {
    series.AddXY(0, 1);
    chart.maxTextWidth = 40;
    chart.maxMarkWidth = 55;
    chart.left.SetLabelStyle(talText);
    EXPECT_EQ(chart.left.MaxLabelsWidth(), 40);
    chart.left.SetLabelStyle(talMark);
    EXPECT_EQ(chart.left.MaxLabelsWidth(), 55);
    chart.left.SetLabelStyle(talNone);
    EXPECT_EQ(chart.left.MaxLabelsWidth(), 0);
    fw::TRect rect = kArea;
    chart.left.CalcRect(rect, true);
    EXPECT_EQ(rect.Left, kArea.Left + 6);
}

}  // namespace
}  // namespace chart::testing
