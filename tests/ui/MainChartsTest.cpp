// The window's charts: their stored properties, their series, and how the
// session's plots reach them.

#include <QApplication>
#include <QImage>
#include <algorithm>

#include "WindowFixture.h"
#include "chart/ChartEngine.h"

namespace {

using MainChartsTest = WindowTest;

TEST_F(MainChartsTest, ChartsCarryTheStoredProperties) {
    for (chart::TChart* c : {&Charts().Chart1(), &Charts().Chart2()}) {
        SCOPED_TRACE(c->Name());
        EXPECT_EQ(c->Color(), fw::clWhite);
        EXPECT_EQ(c->BackWall().Brush().Color(), fw::clWhite);
        EXPECT_EQ(c->BackWall().Brush().Style(), fw::bsClear);
        EXPECT_EQ(c->Title().Text(), std::vector<std::string>{""});
        EXPECT_FALSE(c->Legend().Visible());
        EXPECT_FALSE(c->View3D());
        EXPECT_EQ(c->Width(), 697);
        EXPECT_EQ(c->Height(), 300);
    }
    EXPECT_EQ(Charts().Chart1().Name(), "Chart1");
    EXPECT_EQ(Charts().Chart2().Top(), 304);
    EXPECT_EQ(Charts().Chart1().Gradient().EndColor(), fw::clWhite);
    EXPECT_EQ(Charts().Chart2().Gradient().EndColor(), fw::clYellow);
}

TEST_F(MainChartsTest, EachChartListsItsSeriesInDrawingOrderWithTheirColours) {
    const chart::TChart& chart1 = Charts().Chart1();
    const chart::TChart& chart2 = Charts().Chart2();
    ASSERT_EQ(chart1.SeriesCount(), 2);
    ASSERT_EQ(chart2.SeriesCount(), 1);
    EXPECT_EQ(&chart1.Series(0), &Charts().Series1().Series());
    EXPECT_EQ(&chart1.Series(1), &Charts().Series2().Series());
    EXPECT_EQ(&chart2.Series(0), &Charts().Series3().Series());
    EXPECT_EQ(chart1.Series(0).SeriesColor(), 0x00804000);
    EXPECT_EQ(chart1.Series(1).SeriesColor(), fw::clRed);
    EXPECT_EQ(chart2.Series(0).SeriesColor(), fw::clGreen);
    EXPECT_EQ(chart1.Series(0).Name(), "Series1");
    EXPECT_FALSE(chart1.Series(0).Marks().Visible());
    EXPECT_EQ(chart1.Series(0).Marks().ArrowLength(), 8);
}

TEST_F(MainChartsTest, ALoadPutsTheSignalOnChart1AndItsAxesScaleToIt) {
    LoadSignal();
    const chart::TChartSeries& signal = Charts().Series1().Series();
    ASSERT_EQ(signal.Count(), 513);
    EXPECT_EQ(signal.XValue(512), 512);
    EXPECT_EQ(signal.YValue(7), TestSignal(513)[7]);
    EXPECT_EQ(Charts().Series3().Series().Count(), 0);

    ChartPicture("Chart1");
    const chart::TChart& chart1 = Charts().Chart1();
    EXPECT_EQ(chart1.BottomAxis()->ShownMinimum(), 0);
    EXPECT_EQ(chart1.BottomAxis()->ShownMaximum(), 512);
    const std::vector<double> values = TestSignal(513);
    EXPECT_EQ(chart1.LeftAxis()->ShownMaximum(), *std::max_element(values.begin(), values.end()));
    EXPECT_EQ(chart1.LeftAxis()->ShownMinimum(), *std::min_element(values.begin(), values.end()));
}

TEST_F(MainChartsTest, TheChartsAreDrawnInTheirWindowAreas) {
    const QImage picture = ChartPicture("Chart1");
    ASSERT_EQ(picture.size(), QSize(697, 300));
    const fw::TRect plot = Charts().Chart1().PlotRect();
    // The back wall's outline around the plot rectangle, on the white panel.
    EXPECT_EQ(picture.pixel(plot.Right, (plot.Top + plot.Bottom) / 2 + 7), qRgb(0, 0, 0));
    EXPECT_EQ(picture.pixel((plot.Left + plot.Right) / 2 + 7, plot.Top), qRgb(0, 0, 0));
    EXPECT_EQ(picture.pixel(plot.Right + 2, plot.Top + 2), qRgb(255, 255, 255));
}

}  // namespace
