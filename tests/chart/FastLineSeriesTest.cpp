// The fast line series' own behaviour on a stand-in chart whose canvas logs
// the line calls: the walk's calls, the hit test, the colour and pen
// coupling, the drawing of new points without a repaint, and registration.
#include <gtest/gtest.h>

#include <algorithm>
#include <bit>
#include <cmath>
#include <random>
#include <string>
#include <vector>

#include "FakeSeriesChart.h"
#include "chart/ChartClasses.h"
#include "chart/Series.h"

namespace chart::testing {
namespace {

class LoggingCanvas : public TChartCanvas3D {
public:
    void MoveTo(int32_t x, int32_t y) override { Log("move", x, y); }
    void LineTo(int32_t x, int32_t y) override { Log("lineto", x, y); }
    void Line(int32_t x0, int32_t y0, int32_t x1, int32_t y1) override {
        log.push_back("line " + std::to_string(x0) + "," + std::to_string(y0) + " " + std::to_string(x1) + "," +
                      std::to_string(y1));
    }
    void Calculate2DPosition(int32_t&, int32_t&, int32_t) const override {}

    std::vector<std::string> log;

private:
    void Log(const char* what, int32_t x, int32_t y) {
        log.push_back(std::string(what) + " " + std::to_string(x) + "," + std::to_string(y));
    }
};

class LoggingFakeChart : public FakeChart {
public:
    TChartCanvas3D& Canvas() override { return logging; }
    LoggingCanvas logging;
};

std::string At(const TChartSeries& s, int32_t i) {
    return std::to_string(s.CalcXPos(i)) + "," + std::to_string(s.CalcYPos(i));
}

class FastLineTest : public ::testing::Test {
protected:
    FastLineTest() {
        chart.AddSeries(series);
        chart.left.SetRange(0, 100);
    }
    // Points (i, y[i]) with the bottom axis over lo ... hi.
    void Points(const std::vector<double>& ys, double lo, double hi) {
        for (double y : ys) series.AddY(y);
        chart.bottom.SetRange(lo, hi);
    }
    void Paint() {
        chart.logging.log.clear();
        series.CalcFirstLastVisibleIndex();
        series.DrawAllValues();
    }
    LoggingFakeChart chart;
    TFastLineSeries series;
};

TEST_F(FastLineTest, TheWalkDrawsOneCallPerDistinctPixelAndEntersAZoomedPlotFromItsEdge) {
    // One point only moves the pen.
    Points({50}, -1, 1);
    Paint();
    EXPECT_EQ(chart.logging.log, std::vector<std::string>{"move " + At(series, 0)});

    // Two points: one segment.
    series.Clear();
    Points({10, 90}, 0, 1);
    Paint();
    EXPECT_EQ(chart.logging.log, (std::vector<std::string>{"move " + At(series, 0), "lineto " + At(series, 1)}));

    // Points 0 ... 10 on the axis 2.5 ... 7.5: the segment 2-3 first, then 4 ... 8.
    series.Clear();
    Points({5, 15, 25, 35, 45, 55, 65, 75, 85, 95, 99}, 2.5, 7.5);
    Paint();
    std::vector<std::string> zoomed{"line " + At(series, 2) + " " + At(series, 3)};
    for (int i = 4; i <= 8; ++i) zoomed.push_back("lineto " + At(series, i));
    EXPECT_EQ(chart.logging.log, zoomed);
    EXPECT_EQ(series.FirstVisibleIndex(), 3);
    EXPECT_EQ(series.LastVisibleIndex(), 8);

    // Points 1, 2, 3 on one pixel (the axis spans 10^6 points): one line-to.
    series.Clear();
    Points({0, 50, 50, 50, 80}, 0, 1e6);
    Paint();
    ASSERT_EQ(series.CalcXPos(1), series.CalcXPos(3));
    EXPECT_EQ(chart.logging.log, (std::vector<std::string>{"move " + At(series, 0), "lineto " + At(series, 1),
                                                           "lineto " + At(series, 4)}));
    EXPECT_EQ(series.LastDrawnX(), series.CalcXPos(4));
    EXPECT_EQ(series.LastDrawnY(), series.CalcYPos(4));
}

TEST_F(FastLineTest, ClickedFindsThePointOrTheFirstPointOfTheSegmentUnderThePixel) {
    EXPECT_EQ(series.Clicked(0, 0), -1) << "not drawn yet";
    // Points i -> (20 + 40 i, 310 - 3 y): the segment 4-5 rises 30 rows over 40 columns.
    Points({0, 10, 20, 30, 40, 50, 60, 70, 80, 90, 100}, 0, 10);
    Paint();
    struct Probe {
        int32_t x, y, expected;
    };
    const int32_t x4 = series.CalcXPos(4), y4 = series.CalcYPos(4);
    const int32_t x5 = series.CalcXPos(5), y5 = series.CalcYPos(5);
    ASSERT_EQ(x5 - x4, 40);
    ASSERT_EQ(y4 - y5, 30);
    for (const Probe& p : {Probe{x4, y4, 4}, Probe{x5, y5, 5}, Probe{x4 + 20, y4 - 15, 4}, Probe{x4 + 4, y4 - 3, 4},
                           Probe{x4 + 20, y4 - 25, -1}, Probe{x4 + 20, y4 + 5, -1}, Probe{5, 5, -1}}) {
        for (bool fast : {false, true}) {
            series.SetFastPath(fast);
            EXPECT_EQ(series.Clicked(p.x, p.y), p.expected) << p.x << "," << p.y << (fast ? " fast" : " walk");
        }
    }
    EXPECT_EQ(series.FastClicks(), 7);
}

TEST_F(FastLineTest, SeriesColourAndLinePenColourStayTogetherAndAPenChangeRepaints) {
    series.SetSeriesColor(fw::clRed);
    EXPECT_EQ(series.LinePen().Color(), fw::clRed);

    TChartPen pen;
    pen.SetColor(fw::clGreen);
    pen.SetWidth(2);
    series.SetLinePen(pen);
    EXPECT_EQ(series.SeriesColor(), fw::clGreen);
    EXPECT_EQ(series.LinePen().Width(), 2);

    const int before = chart.invalidations;
    series.LinePen().SetWidth(3);
    EXPECT_GT(chart.invalidations, before);

    // Assign copies the pen and the repaint mode with the points.
    TFastLineSeries copy;
    series.SetAutoRepaint(false);
    series.AddY(1);
    copy.Assign(series);
    EXPECT_EQ(copy.LinePen().Width(), 3);
    EXPECT_EQ(copy.SeriesColor(), fw::clGreen);
    EXPECT_FALSE(copy.AutoRepaint());
    EXPECT_EQ(copy.Count(), 1);
}

TEST_F(FastLineTest, WithoutAutoRepaintANewPointIsDrawnAtOnceWithoutARepaint) {
    Points({10, 20, 30}, 0, 10);
    Paint();
    series.SetAutoRepaint(false);
    int events = 0;
    series.OnAfterAdd = [&](TChartSeries&, int32_t) { ++events; };
    const int before = chart.invalidations;
    chart.logging.log.clear();
    series.AddY(40);
    EXPECT_EQ(chart.logging.log, (std::vector<std::string>{"move " + At(series, 2), "lineto " + At(series, 3)}));
    EXPECT_EQ(chart.invalidations, before);
    EXPECT_EQ(events, 0);
}

TEST(FastLineRegistration, TheClassIsMadeByNameAndListedOnce) {
    RegisterChartClasses();
    RegisterChartClasses();
    auto made = fw::ClassRegistry().Create<TChartSeries>("TFastLineSeries");
    auto* line = dynamic_cast<TFastLineSeries*>(made.get());
    ASSERT_NE(line, nullptr);
    EXPECT_TRUE(line->DrawPastLastVisible());
    EXPECT_EQ(line->GetEditorClass(), "TFastLineSeriesEditor");
    const auto& types = ChartSeriesTypes();
    const auto count = std::count_if(types.begin(), types.end(),
                                     [](const TChartSeriesType& t) { return t.SeriesClass == "TFastLineSeries"; });
    EXPECT_EQ(count, 1);
    const auto it = std::find_if(types.begin(), types.end(),
                                 [](const TChartSeriesType& t) { return t.SeriesClass == "TFastLineSeries"; });
    ASSERT_NE(it, types.end());
    EXPECT_EQ(it->Description, "Fast Line");
    EXPECT_EQ(it->GalleryPage, "Standard");
    EXPECT_EQ(it->NumGallerySeries, 2);
}

// The bounds read off the summary are the value list's own, bit for bit,
// through appends of every kind and edits; zeros of both signs, NaNs and
// infinities among the values; scales other than 1.
TEST(FastLineBounds, TheSummaryGivesTheValueListsBounds) {
    const double specials[] = {0.0, -0.0, std::nan(""), INFINITY, -INFINITY, 2.5, -2.5};
    std::mt19937 rng(11);
    for (int round = 0; round < 400; ++round) {
        TFastLineSeries s;
        // A third of the rounds keep to zeros and values of one sign, so
        // that a zero is a bound.
        const int mode = round % 3;
        const auto pick = [&] {
            const int k = std::uniform_int_distribution<int>(0, 3)(rng);
            if (mode == 1) return k == 0 ? 0.0 : (k == 1 ? -0.0 : 0.5 * k);
            if (mode == 2) return k == 0 ? 0.0 : (k == 1 ? -0.0 : -0.5 * k);
            return k == 0 ? specials[std::uniform_int_distribution<int>(0, 6)(rng)]
                          : std::uniform_int_distribution<int>(-2, 2)(rng) * 0.5;
        };
        if (round % 7 == 0) s.YValues().SetMultiplier(2.0);
        for (int step = 0; step < 6; ++step) {
            std::vector<double> values(std::uniform_int_distribution<std::size_t>(1, 90)(rng));
            for (double& v : values) v = pick();
            switch (s.Count() == 0 ? 0 : std::uniform_int_distribution<int>(0, 3)(rng)) {
            case 0: s.AddArray(values.data(), static_cast<int32_t>(values.size()) - 1); break;
            case 1: s.AddYs(values.data(), 1, static_cast<int32_t>(values.size())); break;
            case 2: s.SetYValue(std::uniform_int_distribution<int32_t>(0, s.Count() - 1)(rng), pick()); break;
            default: s.AddY(pick()); break;
            }
            const auto bits = [](double v) { return std::bit_cast<uint64_t>(v); };
            ASSERT_EQ(bits(s.MinYValue()), bits(s.YValues().MinValue())) << round << " " << step;
            ASSERT_EQ(bits(s.MaxYValue()), bits(s.YValues().MaxValue())) << round << " " << step;
        }
    }
}

}  // namespace
}  // namespace chart::testing
