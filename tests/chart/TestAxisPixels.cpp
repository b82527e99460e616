// Axes drawn on an off-screen image: ticks, minor ticks, grid lines, axis
// lines and label text where the geometry puts them, and the clickable band.

#include <gtest/gtest.h>

#include <string>

#include "PixelChecks.h"
#include "AxisTestChart.h"

namespace chart::testing {
namespace {

constexpr fw::TColor kGray = 0x808080;
constexpr fw::TColor kBlack = 0x000000;
constexpr fw::TColor kWhite = 0xFFFFFF;

class AxisPixelsTest : public ::testing::Test {
protected:
    void SetUp() override {
        chart.AddSeries(series);
        series.AddXY(0, 0);
        series.AddXY(500, 10);
        // Fixed increments: labels every 100 along the bottom, every 5 up the left.
        chart.bottom.SetMinMax(0, 500);
        chart.bottom.SetLabelsSeparation(0);
        chart.bottom.SetIncrement(100);
        chart.left.SetMinMax(0, 10);
        chart.left.SetLabelsSeparation(0);
        chart.left.SetIncrement(5);
        chart.StartImage(700, 320);
    }

    void Paint() { chart.Paint(kArea); }
    int32_t X(double v) const { return chart.bottom.CalcXPosValue(v); }
    int32_t Y(double v) const { return chart.left.CalcYPosValue(v); }

    // Columns of a row between x0 and x1 (exclusive) holding the colour.
    std::vector<int32_t> ColumnsOf(int32_t y, int32_t x0, int32_t x1, fw::TColor color) const {
        std::vector<int32_t> columns;
        for (int32_t x = x0 + 1; x < x1; ++x) {
            if (chart.PixelAt(x, y) == color) columns.push_back(x);
        }
        return columns;
    }

    // Bounding box of the dark (text) pixels inside r.
    fw::TRect DarkBox(const fw::TRect& r) const {
        fw::TRect box{INT32_MAX, INT32_MAX, INT32_MIN, INT32_MIN};
        for (int32_t y = r.Top; y < r.Bottom; ++y) {
            for (int32_t x = r.Left; x < r.Right; ++x) {
                const fw::TColor c = chart.PixelAt(x, y);
                if (c == fw::clNone || (c & 0xFF) > 0x60) continue;
                box = {std::min(box.Left, x), std::min(box.Top, y), std::max(box.Right, x + 1),
                       std::max(box.Bottom, y + 1)};
            }
        }
        return box;
    }

    static constexpr fw::TRect kArea = fw::Rect(60, 20, 660, 290);
    AxisTestChart chart;
    TChartSeries series;
};

TEST_F(AxisPixelsTest, BottomAxisTicksGridAndLine) {
    // The left axis' grid line at 0 would run along the bottom axis line.
    chart.left.Grid().SetVisible(false);
    Paint();
    const int32_t line = chart.bottom.LinePos();
    const fw::TRect plot = chart.plot;
    ASSERT_EQ(line, plot.Bottom);
    ASSERT_EQ(X(0), plot.Left);
    ASSERT_EQ(X(500), plot.Right);
    PixelChecks check([&]() -> const QImage& { return chart.bitmap.Image(); }, "axis_bottom_ticks");
    for (int v = 0; v <= 500; v += 100) {
        const std::string label = "tick of " + std::to_string(v);
        // The tick starts one pixel below the line and is 4 pixels long.
        for (int32_t y = line + 1; y <= line + 4; ++y) check.Is(X(v), y, kGray, label);
        check.Is(X(v), line + 5, kWhite, label + " end");
    }
    // The grid line at each inner label: dotted, three on and three off from the top.
    for (int v = 100; v <= 500; v += 100) {
        const std::string label = "grid at " + std::to_string(v);
        for (int32_t y = plot.Top; y < plot.Top + 3; ++y) check.Is(X(v), y, kGray, label);
        for (int32_t y = plot.Top + 3; y < plot.Top + 6; ++y) check.Is(X(v), y, kWhite, label);
        check.Is(X(v), plot.Top + 6, kGray, label);
        check.Is(X(v), plot.Top - 1, kWhite, label + " above the plot");
    }
    // The two-pixel axis line covers the rows just above and at LinePos,
    // from one pixel before PixelStart to one before PixelEnd.
    for (int32_t x : {plot.Left + 10, X(250), plot.Right - 1}) {
        check.Is(x, line - 1, kBlack, "axis line");
        check.Is(x, line, kBlack, "axis line");
    }
    check.Is(plot.Right, line, kWhite, "past the axis line's end");
    check.Is(X(200) + 5, line + 1, kWhite, "below the axis line, between ticks");
}

TEST_F(AxisPixelsTest, MinorTicksLieBetweenLabelsOnly) {
    Paint();
    const int32_t row = chart.bottom.LinePos() + 2;
    for (int v = 0; v < 500; v += 100) {
        // Three evenly spread two-pixel minor ticks between neighbours.
        const std::vector<int32_t> minor = ColumnsOf(row, X(v), X(v + 100), kGray);
        ASSERT_EQ(minor.size(), 3u) << "between " << v << " and " << v + 100;
        const double quarter = (X(v + 100) - X(v)) / 4.0;
        for (int i = 0; i < 3; ++i) EXPECT_NEAR(minor[i] - X(v), quarter * (i + 1), 1.0);
        EXPECT_EQ(chart.PixelAt(minor[0], chart.bottom.LinePos() + 3), kWhite) << "minor ticks are 2 pixels";
    }
    // Nothing beyond the first (highest) and the last label.
    EXPECT_TRUE(ColumnsOf(row, X(500), 700, kGray).empty());
    EXPECT_TRUE(ColumnsOf(row, 0, X(0), kGray).empty());
}

TEST_F(AxisPixelsTest, LeftAxisTicksGridAndLine) {
    Paint();
    const int32_t line = chart.left.LinePos();
    const fw::TRect plot = chart.plot;
    ASSERT_EQ(line, plot.Left);
    ASSERT_EQ(Y(10), plot.Top);
    ASSERT_EQ(Y(0), plot.Bottom);
    PixelChecks check([&]() -> const QImage& { return chart.bitmap.Image(); }, "axis_left_ticks");
    // The tick runs leftwards from one pixel left of the line; that first
    // pixel lies under the two-pixel axis line drawn afterwards.
    check.Is(line - 1, Y(5), kBlack, "axis line over the tick start");
    for (int32_t x = line - 4; x <= line - 2; ++x) check.Is(x, Y(5), kGray, "tick");
    check.Is(line - 5, Y(5), kWhite, "tick end");
    // The dotted grid line from the left edge; the axis line covers its first pixel.
    check.Is(line, Y(5), kBlack, "axis line");
    check.Is(plot.Left + 1, Y(5), kGray, "grid");
    check.Is(plot.Left + 2, Y(5), kGray, "grid");
    for (int32_t x = plot.Left + 3; x < plot.Left + 6; ++x) check.Is(x, Y(5), kWhite, "grid gap");
    check.Is(plot.Left + 6, Y(5), kGray, "grid");
    check.Is(line, Y(5) - 1, kBlack, "axis line");
    check.Is(line + 1, Y(5) - 1, kWhite, "right of the axis line");
}

TEST_F(AxisPixelsTest, LabelTextCentredUnderTicksAndBesideThem) {
    Paint();
    const int32_t fontHeight = chart.FontHeightOf(chart.bottom.LabelsFont());
    const int32_t labelsPos = chart.bottom.LabelsPos();
    EXPECT_EQ(labelsPos, chart.bottom.LinePos() + 6);
    for (int v : {100, 300, 500}) {
        const fw::TRect box = DarkBox(fw::Rect(X(v) - 30, labelsPos - 1, X(v) + 30, labelsPos + fontHeight));
        ASSERT_LT(box.Left, box.Right) << "no text under " << v;
        EXPECT_NEAR((box.Left + box.Right) / 2.0, X(v), 2.0) << "label " << v << " centred on its tick";
        EXPECT_GE(box.Top, labelsPos) << "label " << v << " starts below the band edge";
    }
    // Left labels end at the inner edge of their band, centred on the tick.
    const int32_t left = chart.left.LabelsPos();
    const fw::TRect box = DarkBox(fw::Rect(0, Y(5) - fontHeight, left + 1, Y(5) + fontHeight));
    ASSERT_LT(box.Left, box.Right);
    EXPECT_LE(box.Right, left);
    EXPECT_GE(box.Right, left - 3);
    EXPECT_NEAR((box.Top + box.Bottom) / 2.0, Y(5), 3.0);
}

TEST_F(AxisPixelsTest, CentredGridLiesBetweenLabels) {
    chart.bottom.SetGridCentered(true);
    Paint();
    const int32_t top = chart.plot.Top;
    PixelChecks check([&]() -> const QImage& { return chart.bitmap.Image(); }, "axis_grid_centred");
    // Row top + 1: the left axis' grid runs along the top row itself.
    check.Is(X(500), top + 1, kWhite, "no grid at the first label");
    check.Is(X(400), top + 1, kWhite, "no grid at a label");
    for (int v = 0; v < 500; v += 100) {
        // Halfway, a half pixel going to the even neighbour.
        const int sum = X(v) + X(v + 100);
        const int32_t mid = sum % 2 == 0 ? sum / 2 : ((sum / 2) % 2 == 0 ? sum / 2 : sum / 2 + 1);
        check.Is(mid, top + 1, kGray, "grid halfway after " + std::to_string(v));
    }
}

TEST_F(AxisPixelsTest, NoLabelsWithTicksOnLabelsOnlyDrawsOnlyTheLine) {
    chart.bottom.SetLabels(false);
    Paint();
    // The band is only ticks and line.
    EXPECT_EQ(chart.plot.Bottom, kArea.Bottom - 6);
    const int32_t line = chart.bottom.LinePos();
    EXPECT_TRUE(ColumnsOf(line + 2, 0, 700, kGray).empty());
    EXPECT_TRUE(ColumnsOf(chart.plot.Top + 1, chart.plot.Left, chart.plot.Right, kGray).empty());
    EXPECT_EQ(chart.PixelAt(X(250), line - 1), kBlack);
    // Without TickOnLabelsOnly the ticks and grid come back.
    chart.bottom.SetTickOnLabelsOnly(false);
    chart.StartImage(700, 320);
    Paint();
    EXPECT_EQ(chart.PixelAt(X(300), chart.bottom.LinePos() + 2), kGray);
    EXPECT_EQ(chart.PixelAt(X(300), chart.plot.Top + 1), kGray);
}

TEST_F(AxisPixelsTest, EmptyRangeGetsOneLabelInTheMiddle) {
    series.Clear();
    chart.bottom.SetAutomatic(true);
    Paint();
    EXPECT_EQ(chart.DrawnLabels(chart.bottom), std::vector<std::string>{"0"});
    const int32_t centre = chart.bottom.PixelCenter();
    EXPECT_EQ(chart.PixelAt(centre, chart.bottom.LinePos() + 2), kGray);
    EXPECT_EQ(ColumnsOf(chart.bottom.LinePos() + 2, 0, 700, kGray), std::vector<int32_t>{centre});
}

TEST_F(AxisPixelsTest, ClickBandCoversTicksAndLineNotLabels) {
    Paint();
    const TChartAxis& b = chart.bottom;
    const int32_t x = X(250);
    EXPECT_TRUE(b.Clicked(x, b.LinePos() - 2)) << "2 pixels inside the plot";
    EXPECT_TRUE(b.Clicked(x, b.LinePos() - 3));
    EXPECT_FALSE(b.Clicked(x, b.LinePos() - 4));
    EXPECT_TRUE(b.Clicked(x, b.LinePos() + 3)) << "on a tick";
    EXPECT_TRUE(b.Clicked(x, b.LabelsPos() - 1));
    EXPECT_FALSE(b.Clicked(x, b.LabelsPos() + 3)) << "on the label text";
    EXPECT_TRUE(b.Clicked(b.PixelStart(), b.LinePos()));
    EXPECT_FALSE(b.Clicked(b.PixelEnd(), b.LinePos()));
    const TChartAxis& l = chart.left;
    EXPECT_TRUE(l.Clicked(l.LinePos() + 2, Y(5)));
    EXPECT_FALSE(l.Clicked(l.LinePos() + 3, Y(5)));
    EXPECT_TRUE(l.Clicked(l.LabelsPos(), Y(5)));
    EXPECT_FALSE(l.Clicked(l.LabelsPos() - 1, Y(5)));
    // The top axis has no series and is not shown: never hit.
    EXPECT_FALSE(chart.top.Clicked(x, chart.top.LinePos()));
}

TEST_F(AxisPixelsTest, CustomDrawRestoresTheRangeWhenDrawingFails) {
    Paint();
    TChartAxis& b = chart.bottom;
    const double shownMax = b.ShownMaximum();
    chart.OnGetAxisLabel = [](TCustomChartAxis&, TChartSeries*, int32_t, std::string&) {
        throw fw::Exception("label failed");
    };
    EXPECT_THROW(b.CustomDrawMinMax(300, 310, 290, true, -50, 50, 10), fw::Exception);
    EXPECT_DOUBLE_EQ(b.Minimum(), 0);
    EXPECT_DOUBLE_EQ(b.Maximum(), 500);
    EXPECT_DOUBLE_EQ(b.Increment(), 100);
    EXPECT_FALSE(b.Automatic());
    EXPECT_DOUBLE_EQ(b.ShownMaximum(), shownMax);
    EXPECT_TRUE(b.Grid().Visible());
    // Drawn at the given places with the given range.
    chart.OnGetAxisLabel = nullptr;
    chart.StartImage(700, 320);
    b.Grid().SetVisible(false);
    const int before = chart.invalidations;
    b.CustomDrawMinMax(300, 310, 295, true, -50, 50, 50);
    EXPECT_EQ(chart.invalidations, before) << "the grid switch is silent";
    EXPECT_FALSE(b.Grid().Visible());
    // -50 ... 50 over the plot: the label 0 stands in the middle (the
    // centre pixel, or the next one when the length is odd).
    const int32_t zero = b.PixelStart() + (b.PixelLength() + 1) / 2;
    EXPECT_EQ(chart.PixelAt(zero, 297), kGray) << "tick below the given line";
    EXPECT_EQ(chart.PixelAt(zero, 294), kBlack) << "axis line at the given place";
    EXPECT_EQ(chart.PixelAt(zero, chart.plot.Top + 1), kGray) << "grid shown for the drawing";
    EXPECT_DOUBLE_EQ(b.ShownMinimum(), 0);
}

}  // namespace
}  // namespace chart::testing
