// The threshold lines overlay on an off-screen chart: where the lines and the
// band are drawn, a press near either line drags both, and every other
// press still zooms or scrolls.

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "ChartTestHost.h"
#include "chart/Chart.h"
#include "chart/Series.h"

namespace chart::testing {
namespace {

class ThresholdLinesTest : public ::testing::Test {
protected:
    ThresholdLinesTest() : host(697, 300) {
        SetUpAsProgramChart(chart);
        chart.SetHost(&host);
        chart.AddSeries(series);
        for (int i = 0; i < 64; ++i) series.AddY(40 * std::sin(i * 0.3));
        lines.SetThreshold(10);
        lines.SetVisible(true);
        chart.AddOverlay(lines);
        lines.OnDrag = [this](double& t) { dragged.push_back(t); };
        lines.OnDragEnd = [this] { ++ended; };
        host.Paint();
        plot = chart.PlotRect();
    }
    ~ThresholdLinesTest() override { chart.RemoveOverlay(lines); }

    int32_t Row(double value) const { return chart.LeftAxis()->CalcYPosValue(value); }
    // How many pixels of a row across the plot have the colour.
    int CountInRow(int32_t y, fw::TColor colour) {
        int count = 0;
        for (int32_t x = plot.Left; x < plot.Right; ++x) count += host.Pixel(x, y) == colour;
        return count;
    }

    OffscreenHost host;
    TChart chart;
    TFastLineSeries series;
    TThresholdLines lines{chart};
    fw::TRect plot;
    std::vector<double> dragged;
    int ended = 0;
};

TEST_F(ThresholdLinesTest, LinesAtPlusAndMinusTOverABandOfWhatIsRemoved) {
    const int width = plot.Right - plot.Left;
    for (const double value : {10.0, -10.0}) EXPECT_EQ(CountInRow(Row(value), TThresholdLines::kLineColour), width);
    // The band lies behind the line and the grid: every row inside it shows
    // the band where neither series nor grid is, no row outside it does.
    for (int32_t y = Row(10) + 1; y < Row(-10); ++y) {
        EXPECT_GT(CountInRow(y, TThresholdLines::kBandColour), width / 3) << y;
    }
    EXPECT_EQ(CountInRow(Row(20), TThresholdLines::kBandColour), 0);
    EXPECT_EQ(CountInRow(Row(-20), TThresholdLines::kBandColour), 0);

    lines.SetVisible(false);
    host.Paint();
    EXPECT_EQ(CountInRow(Row(10), TThresholdLines::kLineColour), 0);
    EXPECT_EQ(CountInRow(Row(0), TThresholdLines::kBandColour), 0);
}

TEST_F(ThresholdLinesTest, APressNearEitherLineDragsBothAndTheHandlerMayRoundT) {
    const int32_t x = (plot.Left + plot.Right) / 2;
    for (const double from : {10.0, -10.0}) {
        for (const int32_t offset : {-TThresholdLines::kGrabPixels, TThresholdLines::kGrabPixels}) {
            lines.SetThreshold(10);
            host.Paint();
            dragged.clear();
            chart.HostMouseDown(fw::mbLeft, 0, x, Row(from) + offset);
            ASSERT_TRUE(lines.Dragging());
            EXPECT_FALSE(chart.ZoomState.InProgress);
            const int32_t to = Row(from > 0 ? 25 : -25);
            chart.HostMouseMove(fw::ssLeft, x, to);
            ASSERT_EQ(dragged.size(), 1u);
            EXPECT_EQ(dragged[0], std::fabs(chart.LeftAxis()->CalcPosPoint(to)));
            EXPECT_EQ(lines.Threshold(), dragged[0]);
            lines.OnDrag = [](double& t) { t = std::round(t); };
            chart.HostMouseMove(fw::ssLeft, x, to + 1);
            EXPECT_EQ(lines.Threshold(), std::round(std::fabs(chart.LeftAxis()->CalcPosPoint(to + 1))));
            chart.HostMouseUp(fw::mbLeft, 0, x, to + 1);
            EXPECT_FALSE(lines.Dragging());
            lines.OnDrag = [this](double& t) { dragged.push_back(t); };
            host.Paint();
            EXPECT_EQ(CountInRow(Row(lines.Threshold()), TThresholdLines::kLineColour), plot.Right - plot.Left);
        }
    }
    EXPECT_EQ(ended, 4);
}

TEST_F(ThresholdLinesTest, APressAwayFromTheLinesZoomsAndScrollsAsBefore) {
    const int32_t x = (plot.Left + plot.Right) / 2;
    const int32_t away = Row(10) - TThresholdLines::kGrabPixels - 1;
    chart.HostMouseDown(fw::mbLeft, 0, x, away);
    EXPECT_FALSE(lines.Dragging());
    EXPECT_TRUE(chart.ZoomState.InProgress);
    chart.HostMouseMove(fw::ssLeft, x + 100, away + 60);
    chart.HostMouseUp(fw::mbLeft, 0, x + 100, away + 60);
    EXPECT_TRUE(chart.Zoomed());
    host.Paint();
    // A right press on a line scrolls: only the left button drags a line.
    chart.HostMouseDown(fw::mbRight, 0, x, Row(lines.Threshold()));
    EXPECT_FALSE(lines.Dragging());
    EXPECT_TRUE(chart.PanState.InProgress);
    chart.HostMouseUp(fw::mbRight, 0, x, Row(lines.Threshold()));
    EXPECT_TRUE(dragged.empty());
    EXPECT_EQ(ended, 0);
}

}  // namespace
}  // namespace chart::testing
