// The chart panel: its defaults, repaint requests and buffer, the series it
// lists, its text measures, paging, and the order of one repaint.
#include <gtest/gtest.h>

#include <functional>
#include <vector>

#include <memory>
#include <vector>

#include "ChartTestHost.h"
#include "chart/base/ChartException.h"
#include "chart/base/ChartSwitches.h"
#include "chart/base/ChartTextLines.h"
#include "chart/style/View3DOptions.h"
#include "framework/gui/paint/SystemColors.h"

namespace chart::testing {
namespace {

class ChartPanelTest : public ::testing::Test {
protected:
    ChartPanelTest() : host(697, 300) {
        SetUpAsProgramChart(chart);
        chart.SetHost(&host);
    }

    void AddPoints(TChartSeries& s, int count) {
        for (int i = 0; i < count; ++i) s.AddY(i * 10.0);
    }

    OffscreenHost host;
    LoggingChart chart;
};

TEST(ChartDefaults, PanelAxesAndStyleObjectsStartAsPublished) {
    TChart chart;
    EXPECT_EQ(chart.ClassName(), "TChart");
    EXPECT_EQ(chart.Width(), 400);
    EXPECT_EQ(chart.Height(), 250);
    EXPECT_TRUE(chart.View3D());
    EXPECT_EQ(chart.Chart3DPercent(), 15);
    EXPECT_EQ(chart.MarginLeft(), 3);
    EXPECT_EQ(chart.MarginTop(), 4);
    EXPECT_EQ(chart.MarginRight(), 3);
    EXPECT_EQ(chart.MarginBottom(), 4);
    EXPECT_EQ(chart.Color(), fw::clBtnFace);
    EXPECT_EQ(chart.BevelOuter(), bvRaised);
    EXPECT_EQ(chart.BevelInner(), bvNone);
    EXPECT_EQ(chart.BevelWidth(), 1);
    EXPECT_EQ(chart.BorderWidth(), 0);
    EXPECT_TRUE(chart.BufferedDisplay());
    EXPECT_FALSE(chart.Monochrome());
    EXPECT_TRUE(chart.PrintProportional());
    EXPECT_EQ(chart.PrintResolution(), 0);
    EXPECT_EQ(chart.PrintMargins(), fw::Rect(15, 15, 15, 15));
    EXPECT_TRUE(chart.AllowZoom());
    EXPECT_EQ(chart.AllowPanning(), pmBoth);
    EXPECT_FALSE(chart.AnimatedZoom());
    EXPECT_EQ(chart.AnimatedZoomSteps(), 8);
    EXPECT_EQ(chart.BackImageMode(), pbmStretch);
    EXPECT_TRUE(chart.AxisVisible());
    EXPECT_TRUE(chart.View3DWalls());
    EXPECT_TRUE(chart.ClipPoints());
    EXPECT_EQ(chart.Page(), 1);
    EXPECT_TRUE(chart.ScaleLastPage());
    EXPECT_EQ(chart.MaxPointsPerPage(), 0);
    EXPECT_FALSE(chart.BackImageInside());
    EXPECT_TRUE(chart.RepaintEnabled());

    const std::vector<TCustomChartAxis*>& axes = chart.AxesList();
    ASSERT_EQ(axes.size(), 5u);
    EXPECT_EQ(axes[0], chart.BottomAxis());
    EXPECT_EQ(axes[1], chart.TopAxis());
    EXPECT_EQ(axes[2], chart.LeftAxis());
    EXPECT_EQ(axes[3], chart.RightAxis());
    EXPECT_EQ(axes[4], chart.DepthAxis());
    EXPECT_FALSE(chart.DepthAxis()->Visible());
    EXPECT_TRUE(chart.BottomAxis()->IsHorizontal());
    EXPECT_TRUE(chart.TopAxis()->IsFarSide());
    EXPECT_FALSE(chart.LeftAxis()->IsHorizontal());

    EXPECT_EQ(chart.BackWall().Brush().Style(), fw::bsClear);
    EXPECT_EQ(chart.LeftWall().Color(), 0x0080FFFF);
    EXPECT_FALSE(chart.LeftWall().IsColorStored());
    EXPECT_EQ(chart.BottomWall().Color(), fw::clWhite);
    EXPECT_FALSE(chart.BottomWall().IsColorStored());
    EXPECT_TRUE(chart.Title().Text().empty());
    EXPECT_TRUE(chart.Foot().Text().empty());
    EXPECT_TRUE(chart.Legend().Visible());
    EXPECT_EQ(&chart.Frame(), &chart.BackWall().Pen());
}

TEST(ChartErrors, Chart3DPercentOutsideOneToHundredKeepsTheOldValue) {
    TChart chart;
    for (int32_t bad : {0, 101, -5}) {
        try {
            chart.SetChart3DPercent(bad);
            ADD_FAILURE() << bad << " was accepted";
        } catch (const ChartException& e) {
            EXPECT_EQ(e.Message(), "3D effect percent must be between 1 and 100");
        }
        EXPECT_EQ(chart.Chart3DPercent(), 15);
    }
    chart.SetChart3DPercent(1);
    EXPECT_EQ(chart.Chart3DPercent(), 1);
    chart.SetChart3DPercent(100);
    EXPECT_EQ(chart.Chart3DPercent(), 100);
}

TEST(ChartErrors, NegativeMaxPointsPerPageKeepsTheOldValue) {
    TChart chart;
    chart.SetMaxPointsPerPage(10);
    try {
        chart.SetMaxPointsPerPage(-1);
        ADD_FAILURE() << "-1 was accepted";
    } catch (const ChartException& e) {
        EXPECT_EQ(e.Message(), "MaxPointsPerPage must be >= 0");
    }
    EXPECT_EQ(chart.MaxPointsPerPage(), 10);
}

TEST_F(ChartPanelTest, SettingValuesAlreadyThereRequestsNoRepaint) {
    host.invalidations = 0;
    chart.SetView3D(false);
    chart.SetColor(fw::clWhite);
    chart.SetMarginLeft(3);
    chart.SetChart3DPercent(15);
    chart.SetAxisVisible(true);
    chart.Gradient().SetVisible(false);
    chart.View3DOptions().SetZoom(100);
    chart.Title().SetText({""});
    chart.Legend().SetVisible(false);
    chart.BackWall().SetColor(fw::clChartDefault);
    chart.BackWall().Brush().SetStyle(fw::bsClear);
    chart.LeftAxis()->SetVisible(true);
    EXPECT_EQ(host.invalidations, 0);

    chart.SetMarginLeft(5);
    EXPECT_EQ(host.invalidations, 1);
    // Until the window serves it, one request stands for every change.
    chart.SetMarginLeft(6);
    EXPECT_EQ(host.invalidations, 1);
    for (const auto& change : std::vector<std::function<void()>>{[&] { chart.Gradient().SetStartColor(fw::clRed); },
                                                                 [&] { chart.Title().Font().SetSize(12); },
                                                                 [&] { chart.BackWall().Pen().SetWidth(2); }}) {
        host.Paint();
        change();
    }
    EXPECT_EQ(host.invalidations, 4);
}

TEST_F(ChartPanelTest, RepaintRequestsDoNothingWhileRepaintsAreDisabled) {
    chart.SetRepaintEnabled(false);
    chart.SetMarginTop(10);
    chart.Invalidate();
    EXPECT_EQ(host.invalidations, 0);
    chart.SetRepaintEnabled(true);
    chart.Invalidate();
    EXPECT_EQ(host.invalidations, 1);
}

TEST_F(ChartPanelTest, AnUnchangedRepaintCopiesTheBufferWithoutSeriesOrAxisCode) {
    std::vector<std::string> log;
    LoggingSeries series("s", &log);
    chart.AddSeries(series);
    AddPoints(series, 5);
    int afterDraws = 0;
    chart.OnAfterDraw = [&](TCustomAxisPanel&) { ++afterDraws; };
    host.Paint();
    ASSERT_GT(series.drawnValues, 0);
    ASSERT_GT(chart.axisCalls, 0);
    ASSERT_EQ(afterDraws, 1);
    const QImage first = host.Image().copy();

    // An exposure: the window was painted over, and nothing else changed.
    host.window.fill(Qt::black);
    log.clear();
    chart.log.clear();
    chart.axisCalls = 0;
    series.drawnValues = 0;
    host.Paint();
    EXPECT_TRUE(log.empty());
    EXPECT_TRUE(chart.log.empty());
    EXPECT_EQ(chart.axisCalls, 0);
    EXPECT_EQ(series.drawnValues, 0);
    EXPECT_EQ(afterDraws, 1);
    EXPECT_TRUE(host.Image() == first) << "the buffer was not copied back";

    // Data changes ask for a repaint, which then draws everything.
    series.AddY(100);
    host.Paint();
    EXPECT_GT(series.drawnValues, 0);
    EXPECT_EQ(afterDraws, 2);
}

TEST_F(ChartPanelTest, ASizeChangeRedrawsAtTheNewSize) {
    host.Paint();
    const fw::TRect before = chart.plotAfterTitles;
    host.canvas.Surface().Unbind();
    host.window = QImage(400, 200, QImage::Format_RGB32);
    host.canvas.Surface().BindImage(&host.window);
    chart.HostResized();
    chart.log.clear();
    host.Paint();
    EXPECT_FALSE(chart.log.empty());
    EXPECT_EQ(chart.PanelBounds(), fw::Rect(0, 0, 400, 200));
    EXPECT_EQ(chart.Width(), 400);
    EXPECT_NE(chart.plotAfterTitles, before);
}

TEST_F(ChartPanelTest, OneRepaintRunsItsStepsInOrder) {
    std::vector<std::string>& log = chart.log;
    LoggingSeries a("a", &log);
    LoggingSeries b("b", &log);
    chart.AddSeries(a);
    chart.AddSeries(b);
    AddPoints(a, 2);
    AddPoints(b, 1);
    chart.OnBeforeDrawAxes = [&](TCustomAxisPanel&) { log.push_back("axes"); };
    chart.OnBeforeDrawSeries = [&](TCustomAxisPanel&) { log.push_back("before series"); };
    chart.OnAfterDraw = [&](TCustomAxisPanel&) { log.push_back("after draw"); };
    log.clear();
    host.Paint();
    const std::vector<std::string> expected = {
        "panel",     "a before chart", "b before chart",  "titles",    "axis rect", "series rect",    "walls",
        "axes",      "before series",  "a before values", "a value 0", "a value 1", "a after values", "b before values",
        "b value 0", "b after values", "after draw"};
    EXPECT_EQ(log, expected);

    ChartDrawAxisBeforeSeries = false;
    log.clear();
    chart.Invalidate();
    host.Paint();
    ChartDrawAxisBeforeSeries = true;
    ASSERT_GE(log.size(), 3u);
    EXPECT_EQ(log[log.size() - 2], "axes");
    EXPECT_EQ(log[log.size() - 3], "b after values");
}

TEST_F(ChartPanelTest, SeriesWithoutVisiblePointsAreSkippedWithoutHooks) {
    std::vector<std::string> log;
    LoggingSeries empty("empty", &log);
    LoggingSeries outside("outside", &log);
    LoggingSeries inactive("inactive", &log);
    chart.AddSeries(empty);
    chart.AddSeries(outside);
    chart.AddSeries(inactive);
    AddPoints(outside, 5);  // X 0 ... 4
    AddPoints(inactive, 5);
    inactive.SetActive(false);
    chart.BottomAxis()->SetMinMax(100, 200);
    host.Paint();
    const std::vector<std::string> expected = {"empty before chart", "outside before chart"};
    EXPECT_EQ(log, expected);
}

TEST_F(ChartPanelTest, SeriesAreClippedInsideTheBackWallFrame) {
    LoggingSeries series("s", nullptr);
    series.drawLines = true;
    series.SetSeriesColor(fw::clRed);
    chart.AddSeries(series);
    series.AddY(5);
    series.AddY(5);
    host.Paint();
    const fw::TRect plot = chart.plotAfterAxes;
    const int32_t y = chart.LeftAxis()->CalcYPosValue(5);
    ASSERT_GT(y, plot.Top);
    ASSERT_LT(y, plot.Bottom - 1);
    {
        PixelChecks px([&]() -> const QImage& { return host.Image(); }, "clipped_series");
        px.Is(plot.Left + 1, y, fw::clRed, "first column inside the frame");
        px.Is(plot.Right - 1, y, fw::clRed, "last column inside the frame");
        px.Is(plot.Left, y, fw::clBlack, "the frame's left column stays");
        px.IsNot(plot.Right, y, fw::clRed, "the frame's right column");
        px.IsNot(plot.Left - 3, y, fw::clRed, "left of the plot");
        px.IsNot(plot.Right + 3, y, fw::clRed, "right of the plot");
    }

    chart.SetClipPoints(false);
    host.Paint();
    PixelChecks px([&]() -> const QImage& { return host.Image(); }, "unclipped_series");
    px.Is(plot.Left - 3, y, fw::clRed, "left of the plot without clipping");
    px.Is(plot.Right + 3, y, fw::clRed, "right of the plot without clipping");
}

TEST_F(ChartPanelTest, AddedSeriesGetFreePaletteColoursAvoidingTheBackground) {
    TChartSeries a, b, c;
    chart.SetColor(fw::clRed);  // the first palette entry is now the background
    chart.AddSeries(a);
    chart.AddSeries(b);
    c.SetSeriesColor(fw::clBlue);
    chart.AddSeries(c);
    EXPECT_EQ(a.SeriesColor(), fw::clGreen);
    EXPECT_EQ(b.SeriesColor(), fw::clYellow);
    EXPECT_EQ(c.SeriesColor(), fw::clBlue);
    EXPECT_FALSE(chart.IsFreeSeriesColor(fw::clGreen, false));
    EXPECT_TRUE(chart.IsFreeSeriesColor(fw::clRed, false));
    EXPECT_FALSE(chart.IsFreeSeriesColor(fw::clRed, true));
    chart.SetBackColor(fw::clTeal);
    EXPECT_FALSE(chart.IsFreeSeriesColor(fw::clTeal, true));
    EXPECT_EQ(chart.GetFreeSeriesColor(true), fw::clWhite);
    EXPECT_EQ(chart.GetFreeSeriesColor(false), fw::clRed);
}

TEST_F(ChartPanelTest, AllPaletteColoursTakenGivesTheFirstEntry) {
    std::vector<std::unique_ptr<TChartSeries>> series;
    for (int i = 0; i < 17; ++i) {
        series.push_back(std::make_unique<TChartSeries>());
        chart.AddSeries(*series.back());
    }
    // White (the panel) is skipped: fifteen entries are free, and the
    // sixteenth and later series find none.
    EXPECT_EQ(series[3]->SeriesColor(), fw::clBlue);
    EXPECT_EQ(series[4]->SeriesColor(), fw::clGray);
    EXPECT_EQ(series[14]->SeriesColor(), fw::clBlack);
    EXPECT_EQ(series[15]->SeriesColor(), fw::clRed);
    EXPECT_EQ(series[16]->SeriesColor(), fw::clRed);
}

TEST_F(ChartPanelTest, SeriesListAddsOnceRemovesAndRequestsRepaints) {
    TChartSeries a, b;
    host.invalidations = 0;
    chart.AddSeries(a);
    host.Paint();
    chart.AddSeries(b);
    host.Paint();
    chart.AddSeries(a);
    EXPECT_EQ(chart.SeriesCount(), 2);
    EXPECT_EQ(&chart.Series(0), &a);
    EXPECT_EQ(a.ParentChart(), &chart);
    EXPECT_GE(host.invalidations, 2);

    host.Paint();
    host.invalidations = 0;
    chart.SetCursor(fw::crCross);
    a.SetCursor(fw::crCross);
    chart.RemoveSeries(a);
    EXPECT_EQ(chart.SeriesCount(), 1);
    EXPECT_EQ(a.ParentChart(), nullptr);
    EXPECT_EQ(chart.Cursor(), chart.SavedCursor());
    EXPECT_EQ(host.invalidations, 1);
    chart.RemoveSeries(a);
    EXPECT_EQ(host.invalidations, 1);
    EXPECT_THROW(chart.Series(5), fw::EListError);
}

TEST_F(ChartPanelTest, FreeAllSeriesFreesOwnedSeriesAndReleasesTheOthers) {
    class Watched : public TChartSeries {
    public:
        explicit Watched(bool& gone) : gone_(gone) {}
        ~Watched() override { gone_ = true; }

    private:
        bool& gone_;
    };
    bool ownedGone = false;
    TChartSeries borrowed;
    chart.AddSeries(std::make_unique<Watched>(ownedGone));
    chart.AddSeries(borrowed);
    chart.FreeAllSeries();
    EXPECT_EQ(chart.SeriesCount(), 0);
    EXPECT_TRUE(ownedGone);
    EXPECT_EQ(borrowed.ParentChart(), nullptr);
}

TEST(ChartLifetime, SeriesAndChartMayGoInEitherOrder) {
    auto series = std::make_unique<TChartSeries>();
    TChartSeries survivor;
    {
        TChart chart;
        chart.AddSeries(*series);
        chart.AddSeries(survivor);
        series.reset();  // the series goes first: it leaves the chart
        EXPECT_EQ(chart.SeriesCount(), 1);
    }
    EXPECT_EQ(survivor.ParentChart(), nullptr);  // the chart went first
    survivor.AddY(1);                            // and nothing calls back into it
}

TEST(ChartLifetime, ChartAndWindowMayGoInEitherOrder) {
    {
        OffscreenHost host(100, 100);
        TChart chart;
        chart.SetHost(&host);
        EXPECT_EQ(host.control, &chart);
    }
    auto chart = std::make_unique<TChart>();
    {
        OffscreenHost host(100, 100);
        chart->SetHost(&host);
    }
    EXPECT_EQ(chart->Host(), nullptr);
    chart->Invalidate();
    chart->Paint();
}

// The lines a multi-line text is drawn as: as many as ChartNumTextLines
// counts, an empty piece after the last separator left out.
TEST(ChartTextLines, SplitAtTheSeparatorAsManyAsCounted) {
    const std::string sep(1, ChartLineSeparator);
    const struct {
        std::string text;
        std::vector<std::string> lines;
    } cases[] = {{"", {}},
                 {"a", {"a"}},
                 {sep, {""}},
                 {"a" + sep, {"a"}},
                 {"a" + sep + "b", {"a", "b"}},
                 {sep + "b", {"", "b"}},
                 {"a" + sep + sep + "bb", {"a", "", "bb"}},
                 {"a" + sep + sep, {"a", ""}}};
    for (const auto& c : cases) {
        EXPECT_EQ(ChartTextLines(c.text), c.lines) << c.text.size();
        EXPECT_EQ(ChartNumTextLines(c.text), static_cast<int32_t>(c.lines.size())) << c.text.size();
    }
}

TEST_F(ChartPanelTest, MultiLineTextWidthCountsLinesAndTakesTheWidest) {
    fw::TFont font;
    font.SetName("Arial");
    font.SetSize(10);
    chart.FontCanvas(font);
    TChartCanvas3D& canvas = chart.Canvas();
    int32_t lines = 0;
    EXPECT_EQ(chart.MultiLineTextWidth("abc", lines), canvas.TextWidth("abc"));
    EXPECT_EQ(lines, 1);
    EXPECT_EQ(chart.MultiLineTextWidth("", lines), 0);
    EXPECT_EQ(lines, 1);
    const std::string sep(1, ChartLineSeparator);
    EXPECT_EQ(chart.MultiLineTextWidth("ab" + sep + "much longer", lines), canvas.TextWidth("much longer"));
    EXPECT_EQ(lines, 2);
    EXPECT_EQ(chart.MultiLineTextWidth("wide text" + sep, lines), canvas.TextWidth("wide text"));
    EXPECT_EQ(lines, 1);
    EXPECT_EQ(chart.MultiLineTextWidth("a" + sep + sep + "bb", lines), canvas.TextWidth("bb"));
    EXPECT_EQ(lines, 3);
}

TEST_F(ChartPanelTest, MaxTextWidthTakesEveryLabelledSeriesAndMarkWidthOnlyActiveOnes) {
    TChartSeries plain, labelled, inactive;
    chart.AddSeries(plain);
    chart.AddSeries(labelled);
    chart.AddSeries(inactive);
    EXPECT_EQ(chart.MaxTextWidth(), 0);
    plain.AddY(1);
    labelled.AddY(1, "x");
    labelled.AddY(2, "a wider label");
    inactive.AddY(3, "the widest label of all");
    inactive.SetActive(false);
    TChartCanvas3D& canvas = chart.Canvas();
    EXPECT_EQ(chart.MaxTextWidth(), canvas.TextWidth("the widest label of all"));
    EXPECT_EQ(chart.MaxMarkWidth(), canvas.TextWidth("a wider label"));
    EXPECT_EQ(chart.GetMaxValuesCount(), 2);
}

TEST_F(ChartPanelTest, PagesFollowTheLongestSeriesOnTheIndexAxes) {
    TChartSeries a, b;
    chart.AddSeries(a);
    chart.AddSeries(b);
    AddPoints(a, 25);
    AddPoints(b, 7);
    EXPECT_EQ(chart.NumPages(), 1);
    int pageChanges = 0;
    chart.OnPageChange = [&](TCustomAxisPanel&) { ++pageChanges; };
    chart.SetMaxPointsPerPage(10);
    EXPECT_EQ(chart.NumPages(), 3);
    chart.SetPage(5);
    EXPECT_EQ(chart.Page(), 3);
    EXPECT_EQ(pageChanges, 1);
    chart.SetPage(3);
    EXPECT_EQ(pageChanges, 1);
    chart.SetPage(0);
    EXPECT_EQ(chart.Page(), 1);
    chart.SetPage(3);
    chart.SetMaxPointsPerPage(20);  // two pages now: the third is gone
    EXPECT_EQ(chart.Page(), 2);
    chart.SetMaxPointsPerPage(0);
    EXPECT_EQ(chart.NumPages(), 1);
}

TEST_F(ChartPanelTest, AHugePageSizeIsOnePage) {
    TChartSeries s;
    chart.AddSeries(s);
    AddPoints(s, 2);
    chart.SetMaxPointsPerPage(2147483647);
    EXPECT_EQ(chart.NumPages(), 1);
    chart.SetMaxPointsPerPage(2147483646);
    EXPECT_EQ(chart.NumPages(), 1);
    // Exact multiples and one more, worked by hand.
    chart.SetMaxPointsPerPage(1);
    EXPECT_EQ(chart.NumPages(), 2);
    AddPoints(s, 2);  // 4 points
    chart.SetMaxPointsPerPage(2);
    EXPECT_EQ(chart.NumPages(), 2);
    chart.SetMaxPointsPerPage(3);
    EXPECT_EQ(chart.NumPages(), 2);
    chart.SetMaxPointsPerPage(4);
    EXPECT_EQ(chart.NumPages(), 1);
}

TEST_F(ChartPanelTest, ScrollingAnAxisShowsTheScrolledPicture) {
    LoggingSeries series("s", nullptr);
    series.drawLines = true;
    chart.AddSeries(series);
    AddPoints(series, 5);  // Y 0 ... 40
    host.Paint();
    const QImage before = host.Image().copy();

    chart.LeftAxis()->Scroll(10, false);
    const QImage scrolled = host.Image().copy();
    EXPECT_FALSE(scrolled == before) << "the scroll showed the old picture";
    EXPECT_DOUBLE_EQ(chart.LeftAxis()->ShownMinimum(), 10);
    // What a full redraw of the scrolled chart gives.
    chart.Invalidate();
    host.Paint();
    EXPECT_TRUE(host.Image() == scrolled);

    // No paint at all while repaints are off.
    chart.SetRepaintEnabled(false);
    host.window.fill(Qt::black);
    chart.LeftAxis()->Scroll(10, false);
    EXPECT_EQ(host.Pixel(host.window.width() / 2, host.window.height() / 2), fw::clBlack);
    chart.SetRepaintEnabled(true);
}

TEST_F(ChartPanelTest, ReCalcWidthHeightRepairsAnEmptyOrOutsidePlotRectangle) {
    host.Paint();
    chart.SetPlotRect(fw::Rect(-5, -7, 100, 50));
    chart.ReCalcWidthHeight();
    EXPECT_EQ(chart.PlotRect(), fw::Rect(0, 0, 100, 50));
    EXPECT_EQ(chart.PlotWidth(), 100);
    EXPECT_EQ(chart.PlotXCenter(), 50);
    EXPECT_EQ(chart.PlotYCenter(), 25);
    chart.SetPlotRect(fw::Rect(200, 120, 150, 120));
    chart.ReCalcWidthHeight();
    EXPECT_EQ(chart.PlotRect(), fw::Rect(200, 120, 201, 420));
    EXPECT_EQ(chart.PlotHeight(), 300);
    chart.SetPlotRect(fw::Rect(30, 40, 30, 10));
    chart.ReCalcWidthHeight();
    EXPECT_EQ(chart.PlotRect(), fw::Rect(30, 40, 727, 41));
}

TEST_F(ChartPanelTest, ClippingDependsOnTheSurface) {
    EXPECT_TRUE(chart.CanClip());
    chart.Canvas().DrawingToMetafile = true;
    EXPECT_TRUE(chart.CanClip());
    ChartClipWhenMetafiling = false;
    EXPECT_FALSE(chart.CanClip());
    ChartClipWhenMetafiling = true;
    chart.Canvas().DrawingToMetafile = false;
}

TEST_F(ChartPanelTest, AHatchInTheColourOfItsBackgroundIsDrawnBlackOrWhite) {
    TChartCanvas3D& canvas = chart.Canvas();
    chart.SetBrushCanvas(fw::clWhite, fw::bsCross, fw::clWhite);
    EXPECT_EQ(canvas.Brush().Color(), fw::clBlack);
    EXPECT_EQ(canvas.BackMode(), cbmOpaque);
    EXPECT_EQ(canvas.BackColor(), fw::clWhite);
    chart.SetBrushCanvas(fw::clBlack, fw::bsCross, fw::clBlack);
    EXPECT_EQ(canvas.Brush().Color(), fw::clWhite);
    chart.SetBrushCanvas(fw::clRed, fw::bsSolid, fw::clRed);
    EXPECT_EQ(canvas.Brush().Color(), fw::clRed);
    EXPECT_EQ(canvas.BackMode(), cbmTransparent);
}

TEST_F(ChartPanelTest, PanelColourGradientAndBevels) {
    chart.SetColor(fw::clSilver);
    host.Paint();
    {
        PixelChecks px([&]() -> const QImage& { return host.Image(); }, "panel_bevels");
        px.Is(5, 5, fw::clSilver, "panel colour");
        px.Is(0, 150, fw::ColorToRGB(fw::clBtnHighlight), "raised bevel, left side");
        px.Is(300, 0, fw::ColorToRGB(fw::clBtnHighlight), "raised bevel, top side");
        px.Is(696, 150, fw::ColorToRGB(fw::clBtnShadow), "raised bevel, right side");
        px.Is(300, 299, fw::ColorToRGB(fw::clBtnShadow), "raised bevel, bottom side");
    }
    chart.SetBevelOuter(bvLowered);
    host.Paint();
    {
        PixelChecks px([&]() -> const QImage& { return host.Image(); }, "panel_lowered");
        px.Is(0, 150, fw::ColorToRGB(fw::clBtnShadow), "lowered bevel, left side");
        px.Is(696, 150, fw::ColorToRGB(fw::clBtnHighlight), "lowered bevel, right side");
    }
    chart.SetBevelOuter(bvNone);
    chart.Gradient().SetVisible(true);  // white at the bottom, yellow at the top
    host.Paint();
    PixelChecks px([&]() -> const QImage& { return host.Image(); }, "panel_gradient");
    px.Is(5, 0, fw::clYellow, "gradient end colour in the top row");
    px.Is(5, 299, fw::clWhite, "gradient start colour in the bottom row");
    px.Is(696, 0, fw::clYellow, "no bevel: the gradient reaches the corner");
}

TEST_F(ChartPanelTest, LeavingTheChartRestoresTheCursorAndEndsAScroll) {
    chart.Loaded();  // the cursor as loaded: the default
    chart.SetCursor(fw::crHandPoint);
    chart.PanState.Activate(10, 10);
    chart.HostMouseLeave();
    EXPECT_EQ(chart.Cursor(), fw::crDefault);
    EXPECT_EQ(host.cursor, fw::crDefault);
    EXPECT_FALSE(chart.PanState.InProgress);
}

TEST_F(ChartPanelTest, TheZoomOutlineInvertsAndASecondDrawingErasesIt) {
    host.Paint();
    const QImage before = host.Image().copy();
    chart.ZoomState.Activate(100, 100);
    chart.ZoomState.EndX = 200;
    chart.ZoomState.EndY = 150;
    chart.DrawZoomRectangle();
    EXPECT_EQ(host.updates, 1);
    EXPECT_EQ(host.Pixel(150, 100), fw::clBlack);  // white inverted
    EXPECT_TRUE(host.Image().pixel(150, 125) == before.pixel(150, 125)) << "the inside stays";
    chart.DrawZoomRectangle();
    EXPECT_TRUE(host.Image() == before);
}

TEST_F(ChartPanelTest, MouseEventsReachTheControlEvents) {
    std::vector<int32_t> seen;
    chart.OnMouseDown = [&](fw::TMouseButton b, fw::TShiftState, int32_t x, int32_t y) {
        seen.insert(seen.end(), {int32_t(b), x, y});
    };
    chart.OnMouseUp = [&](fw::TMouseButton b, fw::TShiftState, int32_t x, int32_t y) {
        seen.insert(seen.end(), {int32_t(b), x, y});
    };
    chart.HostMouseDown(fw::mbRight, 0, 3, 4);
    chart.HostMouseUp(fw::mbLeft, 0, 5, 6);
    const std::vector<int32_t> expected = {fw::mbRight, 3, 4, fw::mbLeft, 5, 6};
    EXPECT_EQ(seen, expected);
}

TEST_F(ChartPanelTest, WithoutBufferEveryPaintDrawsStraightOnTheWindow) {
    LoggingSeries series("s", nullptr);
    chart.AddSeries(series);
    series.AddY(1);
    chart.SetBufferedDisplay(false);
    host.Paint();
    EXPECT_EQ(series.drawnValues, 1);
    EXPECT_EQ(host.Pixel(5, 5), fw::clWhite);
    host.Paint();
    EXPECT_EQ(series.drawnValues, 2) << "nothing to copy: drawn again";
    chart.SetBufferedDisplay(true);
    host.Paint();
    host.Paint();
    EXPECT_EQ(series.drawnValues, 3);
}

TEST_F(ChartPanelTest, AReplacedCanvasKeepsMonochromeAndRepaintsAtOnce) {
    host.Paint();
    chart.SetMonochrome(true);
    EXPECT_GE(host.invalidations, 1);
    chart.SetInternalCanvas(nullptr);
    auto replacement = std::make_unique<TChartCanvas3D>();
    TChartCanvas3D* raw = replacement.get();
    chart.log.clear();
    chart.SetInternalCanvas(std::move(replacement));
    EXPECT_EQ(&chart.Canvas(), raw);
    EXPECT_TRUE(raw->Monochrome());
    EXPECT_FALSE(chart.log.empty()) << "the window repainted through the new canvas";
}

TEST_F(ChartPanelTest, TheBackImageCoversThePanelOrOnlyThePlot) {
    QImage image(2, 2, QImage::Format_RGB32);
    image.fill(qRgb(255, 0, 0));
    chart.BackImage().SetImage(image);
    host.Paint();
    EXPECT_EQ(host.Pixel(5, 5), fw::clRed);
    EXPECT_EQ(host.Pixel(690, 290), fw::clRed);

    chart.SetBackImageInside(true);
    host.Paint();
    const fw::TRect plot = chart.PlotRect();
    EXPECT_EQ(host.Pixel(5, 5), fw::clWhite);
    EXPECT_EQ(host.Pixel(plot.Left + 3, plot.Top + 3), fw::clRed);
    EXPECT_EQ(host.Pixel(plot.Left, plot.Top + 3), fw::clBlack) << "the wall's frame stays";
}

TEST_F(ChartPanelTest, BackColourOfAChartInAWindowMakesTheWallSolid) {
    chart.SetBackColor(fw::clYellow);
    EXPECT_EQ(chart.BackWall().Color(), fw::clYellow);
    EXPECT_EQ(chart.BackWall().Brush().Style(), fw::bsSolid);
    TChart loose;
    loose.SetBackColor(fw::clYellow);
    EXPECT_EQ(loose.BackWall().Brush().Style(), fw::bsClear);
}

TEST_F(ChartPanelTest, SeriesSharingADepthSlotAreDrawnPointByPoint) {
    std::vector<std::string> log;
    LoggingSeries a("a", &log);
    LoggingSeries b("b", &log);
    a.SetZOrder(0);
    b.SetZOrder(0);
    chart.AddSeries(a);
    chart.AddSeries(b);
    AddPoints(a, 2);
    AddPoints(b, 2);
    chart.SetView3D(true);
    log.clear();
    host.Paint();
    const std::vector<std::string> expected = {"a before chart", "b before chart", "a before values", "b before values",
                                               "a value 0",      "b value 0",      "a value 1",       "b value 1",
                                               "a after values", "b after values"};
    EXPECT_EQ(log, expected);
}

}  // namespace
}  // namespace chart::testing
