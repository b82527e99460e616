// The chart's press handling on an off-screen window: what lies under a
// pixel, the click events a press goes to first, the series' mouse hooks, and
// the scroll and percent zoom without the window around them.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "ChartTestHost.h"
#include "chart/interaction/ChartMouseSettings.h"

namespace chart::testing {
namespace {

// A series hit wherever its box is, at point Index; it logs its mouse hooks.
class BoxSeries : public TChartSeries {
public:
    BoxSeries(std::string tag, std::vector<std::string>& log) : tag_(std::move(tag)), log_(log) {}
    int32_t Clicked(int32_t x, int32_t y) const override { return box.Contains({x, y}) ? Index : -1; }
    void DoSeriesMouseMove(fw::TShiftState, int32_t, int32_t) override { log_.push_back(tag_ + " move"); }
    void DoSeriesMouseUp(fw::TMouseButton, fw::TShiftState, int32_t, int32_t) override { log_.push_back(tag_ + " up"); }
    fw::TRect box;
    int32_t Index = 7;

private:
    std::string tag_;
    std::vector<std::string>& log_;
};

class ChartMouseTest : public ::testing::Test {
protected:
    ChartMouseTest() : host(697, 300) {
        SetUpAsProgramChart(chart);
        chart.Title().SetText({"Title"});
        chart.Foot().SetText({"Foot"});
        chart.Legend().SetVisible(true);
        chart.SetHost(&host);
        chart.AddSeries(a);
        chart.AddSeries(b);
        for (int i = 0; i <= 10; ++i) {
            a.AddY(i);
            b.AddY(10 - i);
        }
        host.Paint();
        plot = chart.PlotRect();
    }
    TChartClickedPart PartAt(fw::TPoint p) {
        TChartClickedPart part;
        chart.CalcClickedPart(p, part);
        return part;
    }
    // A pixel of legend item 1, found along the middle row of the chart.
    fw::TPoint LegendItem1() {
        for (int32_t y = 0; y < 300; ++y) {
            for (int32_t x = plot.Right; x < 697; ++x) {
                if (chart.Legend().Clicked(x, y) == 1) return {x, y};
            }
        }
        ADD_FAILURE() << "no legend item 1";
        return {};
    }
    fw::TPoint Middle() const { return {(plot.Left + plot.Right) / 2, (plot.Top + plot.Bottom) / 2}; }

    std::vector<std::string> log;
    OffscreenHost host;
    LoggingChart chart;
    BoxSeries a{"a", log};
    BoxSeries b{"b", log};
    fw::TRect plot;
};

TEST_F(ChartMouseTest, TheHitTestTakesSeriesThenAxesThenTitlesThenThePlotThenTheLegend) {
    const TChartAxis& bottom = *chart.BottomAxis();
    const fw::TPoint onAxis{Middle().X, bottom.LinePos()};
    const fw::TRect title = chart.Title().TitleBox();
    const fw::TRect foot = chart.Foot().TitleBox();
    const fw::TPoint legend = LegendItem1();
    struct Case {
        const char* Name;
        fw::TRect BoxA, BoxB;
        fw::TPoint At;
        TChartClickedPartStyle Part;
        TChartSeries* Series;
        const TCustomChartAxis* Axis;
        int32_t Index;
    };
    const fw::TRect none{};
    const fw::TRect all = fw::Rect(0, 0, 697, 300);
    const Case cases[] = {
        {"both series: the last listed", all, all, onAxis, cpSeries, &b, nullptr, 7},
        {"series over the axis", all, none, onAxis, cpSeries, &a, nullptr, 7},
        {"axis", none, none, onAxis, cpAxis, nullptr, &bottom, -1},
        {"title",
         none,
         none,
         {(title.Left + title.Right) / 2, (title.Top + title.Bottom) / 2},
         cpTitle,
         nullptr,
         nullptr,
         -1},
        {"foot",
         none,
         none,
         {(foot.Left + foot.Right) / 2, (foot.Top + foot.Bottom) / 2},
         cpFoot,
         nullptr,
         nullptr,
         -1},
        {"plot, beside the left axis band",
         none,
         none,
         {plot.Left + ChartAxisClickGap + 1, plot.Top},
         cpChartRect,
         nullptr,
         nullptr,
         -1},
        {"right of the plot", none, none, {plot.Right, Middle().Y}, cpNone, nullptr, nullptr, -1},
        {"legend", none, none, legend, cpLegend, nullptr, nullptr, 1},
        {"corner of the panel", none, none, {1, 1}, cpNone, nullptr, nullptr, -1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.Name);
        a.box = c.BoxA;
        b.box = c.BoxB;
        const TChartClickedPart part = PartAt(c.At);
        EXPECT_EQ(part.Part, c.Part);
        EXPECT_EQ(part.ASeries, c.Series);
        EXPECT_EQ(part.AAxis, c.Axis);
        EXPECT_EQ(part.PointIndex, c.Index);
    }
    a.box = b.box = all;
    a.SetActive(false);
    b.SetActive(false);
    EXPECT_EQ(PartAt(Middle()).Part, cpNone) << "no active series: no plot and no series";
}

// A left press on a series of a chart whose click handlers log, and whether
// the press then starts a zoom drag.
TEST_F(ChartMouseTest, APressGoesToTheClickEventsFirstAndOnlyAnUnhandledOneStartsADrag) {
    struct Case {
        const char* Name;
        bool OnSeries;
        fw::TShiftState Shift;
        bool SeriesEvents;
        bool ChartGivesBack;  // OnClickSeries clears ClickHandled
        std::vector<std::string> Log;
        bool Drags;
    };
    const Case cases[] = {
        {"series without handlers", true, 0, false, false, {}, true},
        {"series click", true, 0, true, false, {"a click", "chart series 7"}, false},
        {"double click", true, fw::ssDouble, true, false, {"a double", "chart series 7"}, false},
        {"handler gives it back", true, 0, true, true, {"a click", "chart series 7"}, true},
        {"background", false, 0, true, false, {"background"}, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.Name);
        log.clear();
        a.box = c.OnSeries ? fw::Rect(0, 0, 697, 300) : fw::TRect{};
        a.OnClick = a.OnDblClick = nullptr;
        if (c.SeriesEvents) {
            a.OnClick = [&](TChartSeries&, int32_t, fw::TMouseButton, fw::TShiftState, int32_t, int32_t) {
                log.push_back("a click");
            };
            a.OnDblClick = [&](TChartSeries&, int32_t, fw::TMouseButton, fw::TShiftState, int32_t, int32_t) {
                log.push_back("a double");
            };
        }
        chart.OnClickSeries = [&](TCustomChart& sender, TChartSeries& s, int32_t index, fw::TMouseButton,
                                  fw::TShiftState, int32_t, int32_t) {
            EXPECT_TRUE(sender.ClickHandled());
            log.push_back(std::string("chart series ") + std::to_string(index));
            EXPECT_EQ(&s, &a);
            if (c.ChartGivesBack) sender.SetClickHandled(false);
        };
        if (!c.SeriesEvents) chart.OnClickSeries = nullptr;
        // A background handler takes the press; it is not asked once a
        // series click or a drag took it.
        chart.OnClickBackground = [&](TCustomChart&, fw::TMouseButton, fw::TShiftState, int32_t, int32_t) {
            log.push_back("background");
        };
        chart.HostMouseDown(fw::mbLeft, c.Shift, Middle().X, Middle().Y);
        EXPECT_EQ(log, c.Log);
        EXPECT_EQ(chart.ZoomState.InProgress, c.Drags);
        EXPECT_FALSE(chart.ClickHandled());
        chart.HostMouseUp(fw::mbLeft, 0, Middle().X, Middle().Y);
    }
}

TEST_F(ChartMouseTest, AnAxisOrLegendHandlerTakesThePressAndTheOthersPartsStartNothing) {
    std::vector<std::string> seen;
    chart.OnClickAxis = [&](TCustomChart&, TCustomChartAxis& axis, fw::TMouseButton, fw::TShiftState, int32_t,
                            int32_t) { seen.push_back(&axis == chart.BottomAxis() ? "bottom" : "other"); };
    chart.OnClickLegend = [&](TCustomChart&, fw::TMouseButton, fw::TShiftState, int32_t, int32_t) {
        seen.push_back("legend");
    };
    const fw::TPoint legend = LegendItem1();
    const fw::TRect title = chart.Title().TitleBox();
    chart.HostMouseDown(fw::mbLeft, 0, Middle().X, chart.BottomAxis()->LinePos());
    EXPECT_FALSE(chart.ZoomState.InProgress);
    chart.HostMouseDown(fw::mbRight, 0, legend.X, legend.Y);
    chart.HostMouseDown(fw::mbLeft, 0, title.Left + 1, title.Top + 1);
    EXPECT_EQ(seen, (std::vector<std::string>{"bottom", "legend"}));
    EXPECT_FALSE(chart.ZoomState.InProgress || chart.PanState.InProgress);

    chart.OnClickAxis = nullptr;
    chart.HostMouseDown(fw::mbRight, 0, Middle().X, chart.BottomAxis()->LinePos());
    EXPECT_TRUE(chart.PanState.InProgress) << "an unhandled axis press scrolls";
}

TEST_F(ChartMouseTest, HoverGivesTheCursorOfTheFirstActiveSeriesUnderTheMouseAndEveryReleaseReachesEverySeries) {
    a.box = fw::Rect(0, 0, 100, 300);
    b.box = fw::Rect(0, 0, 697, 300);
    a.SetCursor(fw::crHandPoint);
    b.SetCursor(fw::crCross);
    chart.HostMouseMove(0, 50, 100);
    EXPECT_EQ(host.cursor, fw::crHandPoint);
    chart.HostMouseMove(0, 300, 100);
    EXPECT_EQ(host.cursor, fw::crCross);
    b.SetActive(false);
    chart.HostMouseMove(0, 300, 100);
    EXPECT_EQ(host.cursor, chart.SavedCursor());
    chart.HostMouseUp(fw::mbLeft, 0, 300, 100);
    EXPECT_EQ(log,
              (std::vector<std::string>{"a move", "b move", "a move", "b move", "a move", "b move", "a up", "b up"}));
}

TEST_F(ChartMouseTest, OnAllowScrollMayChangeOrRefuseTheRange) {
    int calls = 0;
    chart.OnAllowScroll = [&](TCustomChartAxis& axis, double& aMin, double& aMax, bool& allow) {
        ++calls;
        if (&axis == chart.BottomAxis()) {
            aMin = -5;
            aMax = 5;
        } else {
            allow = false;
        }
    };
    chart.HostMouseDown(fw::mbRight, 0, Middle().X, Middle().Y);
    chart.HostMouseMove(0, Middle().X + 3, Middle().Y + 3);
    EXPECT_EQ(calls, 4) << "the four side axes, not the depth axis";
    EXPECT_EQ(chart.BottomAxis()->Minimum(), -5);
    EXPECT_EQ(chart.BottomAxis()->Maximum(), 5);
    EXPECT_TRUE(chart.LeftAxis()->Automatic());
}

TEST_F(ChartMouseTest, ZoomPercentNarrowsOrWidensEveryAxisAroundItsCentreAndUndoRestoresManualRanges) {
    chart.LeftAxis()->SetMinMax(-20, 20);
    host.Paint();
    const TAllAxisSavedScales before = [&] {
        TAllAxisSavedScales s;
        chart.SaveScales(s);
        return s;
    }();
    chart.ZoomPercent(110);
    EXPECT_DOUBLE_EQ(chart.LeftAxis()->Minimum(), -16);
    EXPECT_DOUBLE_EQ(chart.LeftAxis()->Maximum(), 16);
    EXPECT_DOUBLE_EQ(chart.BottomAxis()->Minimum(), 1);
    EXPECT_DOUBLE_EQ(chart.BottomAxis()->Maximum(), 9);
    chart.ZoomPercent(90);
    EXPECT_DOUBLE_EQ(chart.BottomAxis()->Minimum(), 1 - 0.8);
    EXPECT_TRUE(chart.SavedScales() == before) << "the second zoom keeps the first saved scales";
    chart.UndoZoom();
    EXPECT_FALSE(chart.LeftAxis()->Automatic());
    EXPECT_EQ(chart.LeftAxis()->Minimum(), -20);
    EXPECT_EQ(chart.LeftAxis()->Maximum(), 20);
    EXPECT_TRUE(chart.BottomAxis()->Automatic());
}

// One wheel notch at the plot's middle (or just left of the plot), and whether
// it zooms.
TEST_F(ChartMouseTest, TheWheelZoomsOnlyOverThePlotOfAChartThatAllowsZoomAndNotDuringADrag) {
    struct Case {
        const char* Name;
        bool AllowZoom;
        bool OverPlot;
        fw::TMouseButton DragButton;  // pressed first when not mbMiddle
        bool Zooms;
    };
    const Case cases[] = {
        {"over the plot", true, true, fw::mbMiddle, true},
        {"zoom not allowed", false, true, fw::mbMiddle, false},
        {"left of the plot", true, false, fw::mbMiddle, false},
        {"during a zoom drag", true, true, fw::mbLeft, false},
        {"during a scroll drag", true, true, fw::mbRight, false},
    };
    int zooms = 0;
    chart.OnZoom = [&](TCustomChartPanelExtended&) { ++zooms; };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.Name);
        zooms = 0;
        chart.SetAllowZoom(c.AllowZoom);
        const fw::TPoint p = c.OverPlot ? Middle() : fw::TPoint{plot.Left - 1, Middle().Y};
        if (c.DragButton != fw::mbMiddle) chart.HostMouseDown(c.DragButton, 0, p.X, p.Y);
        chart.HostMouseWheel(0, p.X, p.Y, 1);
        chart.HostMouseUp(c.DragButton, 0, p.X, p.Y);
        EXPECT_EQ(zooms, c.Zooms ? 1 : 0);
        EXPECT_EQ(chart.BottomAxis()->Automatic(), !c.Zooms);
        chart.UndoZoom();
        host.Paint();
    }
}

}  // namespace
}  // namespace chart::testing
