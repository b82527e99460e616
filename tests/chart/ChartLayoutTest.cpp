// How a repaint carves the plot rectangle out of the panel (margins, title
// and foot bands, legend, axes, 3D depth) and draws the walls around it.
#include <gtest/gtest.h>

#include "ChartTestHost.h"
#include "chart/style/View3DOptions.h"
#include "framework/core/Rounding.h"

namespace chart::testing {
namespace {

class ChartLayoutTest : public ::testing::Test {
protected:
    ChartLayoutTest() : host(697, 300) {
        SetUpAsProgramChart(chart);
        chart.SetHost(&host);
        chart.AddSeries(series);
    }

    // The height of "W" in a font, measured on a canvas of its own.
    static int32_t FontHeightOf(const fw::TFont& font) {
        fw::TBitmap bitmap(10, 10);
        TChartCanvas3D canvas;
        canvas.SetCanvas(&bitmap.Canvas());
        canvas.Font().Assign(font);
        return canvas.FontHeight();
    }

    void Repaint() {
        chart.Invalidate();
        host.Paint();
    }

    OffscreenHost host;
    LoggingChart chart;
    TChartSeries series;
};

TEST_F(ChartLayoutTest, MarginsArePercentagesOfThePanel) {
    Repaint();
    // 3 % of 697 is 20.91 and 4 % of 300 is 12.
    EXPECT_EQ(chart.plotBeforeTitles, fw::Rect(21, 12, 676, 288));
    EXPECT_EQ(chart.PanelBounds(), fw::Rect(0, 0, 697, 300));

    chart.SetMarginLeft(10);
    chart.SetMarginBottom(0);
    chart.SetBorderWidth(2);
    Repaint();
    // 10 % of 697 is 69.7; the border adds its width on every side.
    EXPECT_EQ(chart.plotBeforeTitles, fw::Rect(2 + 70, 2 + 12, 697 - 2 - 21, 300 - 2));
}

TEST_F(ChartLayoutTest, TitleLinesTakeTheirHeightPlusFivePixels) {
    const int32_t h = FontHeightOf(chart.Title().Font());
    ASSERT_GT(h, 8);
    Repaint();
    EXPECT_EQ(chart.plotAfterTitles, fw::Rect(21, 12 + h + 5, 676, 288));
    EXPECT_EQ(chart.Title().TitleBox(), fw::Rect(21, 12, 676, 12 + h));

    chart.Title().SetText({"first", "second"});
    Repaint();
    EXPECT_EQ(chart.plotAfterTitles.Top, 12 + 2 * h + 5);

    chart.Title().SetText({});
    Repaint();
    EXPECT_EQ(chart.plotAfterTitles, fw::Rect(21, 12, 676, 288));

    chart.Title().SetText({"hidden"});
    chart.Title().SetVisible(false);
    Repaint();
    EXPECT_EQ(chart.plotAfterTitles.Top, 12);
}

TEST_F(ChartLayoutTest, TheFootTakesItsRoomAtTheBottom) {
    const int32_t h = FontHeightOf(chart.Foot().Font());
    chart.Foot().SetText({"foot"});
    Repaint();
    EXPECT_EQ(chart.plotAfterTitles.Bottom, 288 - h - 5);
    EXPECT_EQ(chart.Foot().TitleBox().Bottom, 288);
    EXPECT_EQ(chart.Foot().TitleBox().Top, 288 - h);
}

TEST_F(ChartLayoutTest, AVisibleTitleFrameMovesThePlotDownByTwiceItsWidth) {
    Repaint();
    const int32_t withoutFrame = chart.plotAfterTitles.Top;
    chart.Title().Frame().SetVisible(true);
    chart.Title().Frame().SetWidth(3);
    Repaint();
    EXPECT_EQ(chart.plotAfterTitles.Top, withoutFrame + 2 * 3);

    // A frame whose colour is the chart default counts as no frame.
    chart.Title().Frame().SetColor(fw::clChartDefault);
    Repaint();
    EXPECT_EQ(chart.plotAfterTitles.Top, withoutFrame);
}

TEST_F(ChartLayoutTest, AFramedTitleBoxFitsItsWidestLineByAlignment) {
    chart.Title().SetText({"A title"});
    chart.Title().Frame().SetVisible(true);
    chart.Title().Frame().SetColor(fw::clRed);
    Repaint();
    const fw::TRect box = chart.Title().TitleBox();
    fw::TBitmap bitmap(10, 10);
    TChartCanvas3D canvas;
    canvas.SetCanvas(&bitmap.Canvas());
    canvas.Font().Assign(chart.Title().Font());
    const int32_t width = canvas.TextWidth("A title") + canvas.TextWidth("W");
    // Before fitting, the box (grown by the frame) spans the plot's width.
    const int32_t centre = (21 + 676) / 2;
    EXPECT_EQ(box.Left, centre - width / 2);
    EXPECT_EQ(box.Right, centre + width / 2);
    PixelChecks px([&]() -> const QImage& { return host.Image(); }, "title_frame");
    px.Is(box.Left, (box.Top + box.Bottom) / 2, fw::clRed, "frame, left side");
    px.Is(box.Right - 1, (box.Top + box.Bottom) / 2, fw::clRed, "frame, right side");
    px.Is((box.Left + box.Right) / 2, box.Top, fw::clRed, "frame, top side");
    px.IsNot(box.Left - 1, (box.Top + box.Bottom) / 2, fw::clRed, "outside the frame");
}

TEST_F(ChartLayoutTest, AHiddenLegendTakesNoRoomAndAVisibleOneTakesItsSide) {
    series.SetTitle("Signal");
    Repaint();
    const fw::TRect hidden = chart.plotAfterTitles;

    chart.Legend().SetVisible(true);  // on the right by default
    Repaint();
    EXPECT_EQ(chart.plotAfterTitles.Top, hidden.Top);
    EXPECT_LT(chart.plotAfterTitles.Right, hidden.Right - 20);
    EXPECT_EQ(chart.plotAfterTitles.Left, hidden.Left);

    chart.Legend().SetAlignment(laTop);
    Repaint();
    EXPECT_GT(chart.plotAfterTitles.Top, hidden.Top);
    EXPECT_EQ(chart.plotAfterTitles.Right, hidden.Right);

    // Without an active series the legend is not drawn at all.
    series.SetActive(false);
    Repaint();
    EXPECT_EQ(chart.plotAfterTitles, hidden);
}

TEST_F(ChartLayoutTest, OnlyTheAxesInUseTakeRoom) {
    Repaint();
    const fw::TRect titled = chart.plotAfterTitles;
    const fw::TRect plot = chart.plotAfterAxes;
    EXPECT_GT(plot.Left, titled.Left);      // left axis labels
    EXPECT_LT(plot.Bottom, titled.Bottom);  // bottom axis labels
    EXPECT_EQ(plot.Right, titled.Right);    // no right axis
    EXPECT_EQ(plot.Top, titled.Top);        // no top axis
    EXPECT_EQ(chart.PlotRect(), plot);

    series.SetVertAxis(aRightAxis);
    series.SetHorizAxis(aTopAxis);
    Repaint();
    EXPECT_EQ(chart.plotAfterAxes.Left, titled.Left);
    EXPECT_EQ(chart.plotAfterAxes.Bottom, titled.Bottom);
    EXPECT_LT(chart.plotAfterAxes.Right, titled.Right);
    EXPECT_GT(chart.plotAfterAxes.Top, titled.Top);

    chart.SetAxisVisible(false);
    Repaint();
    EXPECT_EQ(chart.plotAfterAxes, titled);
}

TEST_F(ChartLayoutTest, WallsHaveNoThicknessIn2D) {
    chart.LeftWall().SetSize(7);
    chart.BottomWall().SetSize(5);
    for (TCustomChartAxis* axis : chart.AxesList()) EXPECT_EQ(chart.CalcWallSize(*axis), 0);
    chart.SetView3D(true);
    EXPECT_EQ(chart.CalcWallSize(*chart.LeftAxis()), 7);
    EXPECT_EQ(chart.CalcWallSize(*chart.BottomAxis()), 5);
    EXPECT_EQ(chart.CalcWallSize(*chart.RightAxis()), 0);
    chart.SetView3DWalls(false);
    EXPECT_EQ(chart.CalcWallSize(*chart.LeftAxis()), 0);
}

TEST_F(ChartLayoutTest, TheBackWallOutlinesThePlotRectangle) {
    Repaint();
    const fw::TRect p = chart.PlotRect();
    const int32_t midX = (p.Left + p.Right) / 2 + 7;  // off the single grid line
    const int32_t midY = (p.Top + p.Bottom) / 2 + 7;
    PixelChecks px([&]() -> const QImage& { return host.Image(); }, "back_wall");
    px.Is(p.Left, p.Top + 3, fw::clBlack, "left column, near the top");
    px.Is(p.Right, midY, fw::clBlack, "right column (reaching one pixel further)");
    px.Is(p.Right, p.Top + 3, fw::clBlack, "right column, near the top");
    px.Is(midX, p.Top, fw::clBlack, "top row");
    px.Is(midX, p.Bottom - 1, fw::clBlack, "bottom row (the last row inside)");
    px.Is(p.Left + 1, p.Top + 1, fw::clWhite, "hollow inside");
    px.Is(p.Right - 1, p.Top + 1, fw::clWhite, "hollow inside, right");
    px.Is(p.Right + 1, midY, fw::clWhite, "outside on the right");
    px.Is(midX, p.Top - 1, fw::clWhite, "outside above");
}

TEST_F(ChartLayoutTest, WallFillsFollowTheirColourAndBrush) {
    chart.BackWall().Brush().SetStyle(fw::bsSolid);
    Repaint();
    fw::TRect p = chart.PlotRect();
    EXPECT_EQ(host.Pixel(p.Left + 3, p.Top + 3), fw::clWhite) << "no colour of its own: hollow";

    chart.BackWall().SetColor(fw::clYellow);
    Repaint();
    p = chart.PlotRect();
    EXPECT_EQ(host.Pixel(p.Left + 3, p.Top + 3), fw::clYellow);

    // A hatch in the colour of its background would vanish: it is drawn black.
    chart.BackWall().SetColor(fw::clWhite);
    chart.BackWall().Brush().SetColor(fw::clWhite);
    chart.BackWall().Brush().SetStyle(fw::bsCross);
    Repaint();
    p = chart.PlotRect();
    int black = 0;
    for (int y = p.Top + 2; y < p.Top + 40; ++y) {
        for (int x = p.Left + 2; x < p.Left + 40; ++x) black += host.Pixel(x, y) == fw::clBlack;
    }
    EXPECT_GT(black, 40) << "the hatch lines";
    EXPECT_LT(black, 38 * 38 / 2) << "and the white between them";
}

TEST_F(ChartLayoutTest, OrthogonalDepthTakesItsRoomFromTheTopRight) {
    chart.SetView3D(true);
    Repaint();
    const fw::TRect titled = chart.plotAfterTitles;
    const int32_t depth = fw::RoundToInt32(titled.Width() * 15 * 0.001L);
    EXPECT_EQ(chart.SliceDepth(), depth);
    EXPECT_EQ(chart.TotalDepth(), depth);
    EXPECT_EQ(chart.TotalRise(), depth);
    EXPECT_EQ(chart.plotAfterAxes.Right, titled.Right - depth);
    EXPECT_EQ(chart.plotAfterAxes.Top, titled.Top + depth);

    // Not orthogonal: the depth doubles (and the plot keeps its corner).
    chart.View3DOptions().SetOrthogonal(false);
    Repaint();
    EXPECT_EQ(chart.TotalDepth(), fw::RoundToInt32(chart.plotAfterTitles.Width() * 15 * 0.002L));

    chart.SetView3D(false);
    Repaint();
    EXPECT_EQ(chart.TotalDepth(), 0);
    EXPECT_EQ(chart.SliceDepth(), 0);
}

TEST_F(ChartLayoutTest, StackedSeriesGetOneDepthSlotEach) {
    TChartSeries second;
    chart.AddSeries(second);
    series.AddY(1);
    second.AddY(2);
    chart.SetView3D(true);
    Repaint();
    EXPECT_EQ(chart.TopZOrder(), 1);
    EXPECT_EQ(chart.TotalDepth(), 2 * chart.SliceDepth());
    // The later series lies in front.
    EXPECT_EQ(series.ComputedZOrder(), 1);
    EXPECT_EQ(second.ComputedZOrder(), 0);
    EXPECT_EQ(series.StartZ(), chart.SliceDepth());
    EXPECT_EQ(series.MiddleZ(), (series.StartZ() + series.EndZ()) / 2);
    EXPECT_EQ(series.Marks().ZPosition, series.MiddleZ());
}

}  // namespace
}  // namespace chart::testing
