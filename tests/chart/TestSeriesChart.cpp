// A series on its chart: the visible index range, axis resolution, joining
// and leaving the chart's series list, depth slots, Assign and the marks.

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <random>
#include <utility>
#include <vector>

#include "FakeSeriesChart.h"
#include "chart/base/ChartColors.h"
#include "chart/base/ChartException.h"

namespace chart {
namespace {

using testing::FakeChart;

// Records the points it is asked to draw.
class RecordingSeries : public TChartSeries {
public:
    void DrawValue(int32_t valueIndex) override { drawn.push_back(valueIndex); }
    bool DrawValuesForward() const override { return forward; }
    std::vector<int32_t> drawn;
    bool forward = true;
};

struct VisibleRange : ::testing::Test {
    FakeChart chart;
    RecordingSeries s;
    void SetUp() override {
        chart.AddSeries(s);
        for (int x = 0; x <= 10; ++x) s.AddY(x * x);  // X = 0 ... 10
        chart.bottom.SetRange(2.5, 7.5);
    }
    std::pair<int32_t, int32_t> Range() {
        s.CalcFirstLastVisibleIndex();
        return {s.FirstVisibleIndex(), s.LastVisibleIndex()};
    }
};

TEST_F(VisibleRange, StopsAtTheLastPointInsideOrTheFirstBeyond) {
    EXPECT_EQ(Range(), std::make_pair(3, 7));
    s.SetDrawPastLastVisible(true);
    EXPECT_EQ(Range(), std::make_pair(3, 8));
}

TEST_F(VisibleRange, InvertedAxisGivesTheSameRange) {
    chart.bottom.SetInverted(true);
    EXPECT_EQ(Range(), std::make_pair(3, 7));
    s.SetDrawPastLastVisible(true);
    EXPECT_EQ(Range(), std::make_pair(3, 8));
}

TEST_F(VisibleRange, PointsOnTheEdgesAreInside) {
    chart.bottom.SetRange(2, 8);
    EXPECT_EQ(Range(), std::make_pair(2, 8));
    s.SetDrawPastLastVisible(true);
    EXPECT_EQ(Range(), std::make_pair(2, 8));
}

TEST_F(VisibleRange, EverythingOrNothingVisible) {
    chart.bottom.SetRange(-5, 50);
    EXPECT_EQ(Range(), std::make_pair(0, 10));
    chart.bottom.SetRange(20, 30);
    EXPECT_EQ(Range(), std::make_pair(-1, -1));
    chart.bottom.SetRange(-9, -1);  // all points beyond the far edge
    EXPECT_EQ(Range(), std::make_pair(0, -1));
}

TEST_F(VisibleRange, NoPointBetweenTheEdgesDrawsNothing) {
    chart.bottom.SetRange(3.2, 3.8);
    EXPECT_EQ(Range(), std::make_pair(4, 3));
    s.DrawAllValues();
    EXPECT_TRUE(s.drawn.empty());
    s.SetDrawPastLastVisible(true);
    EXPECT_EQ(Range(), std::make_pair(4, 4));
}

TEST_F(VisibleRange, WholeSeriesWithoutVisibleRangeOrOrder) {
    s.SetUseVisibleRange(false);
    EXPECT_EQ(Range(), std::make_pair(0, 10));
    s.SetUseVisibleRange(true);
    s.XValues().SetOrder(loNone);
    EXPECT_EQ(Range(), std::make_pair(0, 10));
}

TEST_F(VisibleRange, DrawAllValuesWalksTheRangeInEitherDirection) {
    Range();
    s.DrawAllValues();
    EXPECT_EQ(s.drawn, (std::vector<int32_t>{3, 4, 5, 6, 7}));
    s.drawn.clear();
    s.forward = false;
    s.DrawAllValues();
    EXPECT_EQ(s.drawn, (std::vector<int32_t>{7, 6, 5, 4, 3}));
    s.Clear();
    s.drawn.clear();
    EXPECT_EQ(Range(), std::make_pair(-1, -1));
    s.DrawAllValues();
    EXPECT_TRUE(s.drawn.empty());
}

// The visible range by walking the points in order: the first point not
// left of low, then the first not left of high, stepping back from it when it
// lies beyond high unless the series draws one point past the edge.
std::pair<int32_t, int32_t> ScannedRange(const std::vector<double>& xs, double low, double high, bool drawPast) {
    const auto n = static_cast<int32_t>(xs.size());
    int32_t first = 0;
    while (first < n && xs[first] < low) ++first;
    if (first == n) return {-1, -1};
    if (xs.back() <= high) return {first, n - 1};
    int32_t j = first;
    while (j < n - 1 && xs[j] < high) ++j;
    if (!drawPast && xs[j] > high) --j;
    return {first, j};
}

TEST_F(VisibleRange, SearchOfAscendingPointsMatchesAWalkThroughThem) {
    // Quarter steps keep the axis ends exact through the pixel round trip, so
    // window edges fall exactly on points; zero steps make runs of equal X.
    std::mt19937 random(20240611);
    std::uniform_int_distribution<int> stepQuarters(0, 3);
    s.Clear();
    double x = -3;
    for (int i = 0; i < 400; ++i) {
        x += 0.25 * (stepQuarters(random) == 0 ? 0 : stepQuarters(random));
        s.AddXY(x, i);
    }
    ASSERT_EQ(s.XValues().Order(), loAscending);
    const double lastX = x;
    std::vector<std::pair<double, double>> windows = {{-10, lastX + 10}, {-10, -5},      {lastX + 1, lastX + 2},
                                                      {-3, -3},          {lastX, lastX}, {-3, lastX}};
    std::uniform_int_distribution<int> edgeQuarters(-20, static_cast<int>(lastX * 4) + 20);
    for (int k = 0; k < 60; ++k) {
        const double a = 0.25 * edgeQuarters(random);
        const double b = 0.25 * edgeQuarters(random);
        windows.emplace_back(std::min(a, b), std::max(a, b));
    }
    for (double multiplier : {1.0, 0.5}) {
        s.XValues().SetMultiplier(multiplier);
        std::vector<double> xs;
        for (int32_t i = 0; i < s.Count(); ++i) xs.push_back(s.XValues().Value(i));
        for (auto [low, high] : windows) {
            chart.bottom.SetRange(low, high);
            for (bool inverted : {false, true}) {
                chart.bottom.SetInverted(inverted);
                for (bool drawPast : {false, true}) {
                    s.SetDrawPastLastVisible(drawPast);
                    EXPECT_EQ(Range(), ScannedRange(xs, low, high, drawPast))
                        << low << " ... " << high << (inverted ? " inverted" : "") << (drawPast ? " past" : "")
                        << " scale " << multiplier;
                }
            }
        }
    }
}

TEST_F(VisibleRange, PixelsThroughTheResolvedAxes) {
    chart.bottom.SetRange(0, 10);
    chart.left.SetRange(0, 100);
    EXPECT_EQ(s.CalcXPos(5), 20 + 200);
    EXPECT_EQ(s.CalcYPos(5), 310 - 75);  // Y = 25 of 100 on a 300-pixel axis, upwards
    EXPECT_DOUBLE_EQ(s.XScreenToValue(120), 2.5);
    EXPECT_EQ(s.CalcXSizeValue(1), 40);
    EXPECT_THROW(s.CalcXPos(11), fw::EListError);
    TChartSeries orphan;
    orphan.AddY(1);
    EXPECT_THROW(orphan.CalcXPos(0), ChartException);
}

TEST(SeriesAxes, ResolvedOnTheChartAndAssociated) {
    FakeChart chart;
    TChartSeries s;
    EXPECT_EQ(s.GetHorizAxis(), nullptr);
    chart.AddSeries(s);
    EXPECT_EQ(s.GetHorizAxis(), &chart.bottom);
    EXPECT_EQ(s.GetVertAxis(), &chart.left);
    EXPECT_TRUE(s.AssociatedToAxis(chart.bottom));
    EXPECT_FALSE(s.AssociatedToAxis(chart.top));
    EXPECT_TRUE(s.AssociatedToAxis(chart.left));
    EXPECT_FALSE(s.AssociatedToAxis(chart.right));

    s.SetHorizAxis(aTopAxis);
    s.SetVertAxis(aRightAxis);
    EXPECT_EQ(s.GetHorizAxis(), &chart.top);
    EXPECT_EQ(s.GetVertAxis(), &chart.right);
    EXPECT_FALSE(s.AssociatedToAxis(chart.bottom));

    s.SetHorizAxis(aBothHorizAxis);
    EXPECT_EQ(s.GetHorizAxis(), &chart.bottom);
    EXPECT_TRUE(s.AssociatedToAxis(chart.bottom));
    EXPECT_TRUE(s.AssociatedToAxis(chart.top));

    testing::FakeAxis custom(true, 0, 100);
    s.SetCustomHorizAxis(&custom);
    EXPECT_EQ(s.HorizAxis(), aCustomHorizAxis);
    EXPECT_EQ(s.GetHorizAxis(), &custom);
    s.SetCustomHorizAxis(nullptr);
    EXPECT_EQ(s.HorizAxis(), aBottomAxis);
    EXPECT_EQ(s.GetHorizAxis(), &chart.bottom);

    s.SetParentChart(nullptr);
    EXPECT_EQ(s.GetHorizAxis(), nullptr);
    EXPECT_EQ(s.GetVertAxis(), nullptr);
}

TEST(SeriesAxes, SeriesThatUseNoAxisAreAssociatedWithNone) {
    struct NoAxes : TChartSeries {
        bool UseAxis() const override { return false; }
    } s;
    FakeChart chart;
    chart.AddSeries(s);
    EXPECT_FALSE(s.AssociatedToAxis(chart.bottom));
    EXPECT_FALSE(s.AssociatedToAxis(chart.left));
    s.SetParentChart(nullptr);
}

TEST(SeriesList, JoiningGivesFreePaletteColoursAndKeepsOwnColours) {
    FakeChart chart;
    chart.background = GetDefaultColor(1);  // green is the background: skipped
    TChartSeries a, b, c;
    b.SetSeriesColor(fw::clYellow);  // the third palette entry, taken by b
    chart.AddSeries(a);
    chart.AddSeries(b);
    chart.AddSeries(c);
    EXPECT_EQ(a.SeriesColor(), GetDefaultColor(0));
    EXPECT_EQ(b.SeriesColor(), fw::clYellow);
    EXPECT_EQ(c.SeriesColor(), GetDefaultColor(3));
    EXPECT_EQ(chart.list.Count(), 3);
    EXPECT_EQ(chart.list.Series(2), &c);
    EXPECT_THROW(chart.list.Series(3), fw::EListError);
}

TEST(SeriesList, NoFreeColourFallsBackToTheFirst) {
    FakeChart chart;
    std::vector<std::unique_ptr<TChartSeries>> all;
    for (int i = 0; i < 17; ++i) {
        all.push_back(std::make_unique<TChartSeries>());
        chart.AddSeries(*all.back());
    }
    // White is the background; the 16th series takes the first colour again.
    EXPECT_EQ(all[14]->SeriesColor(), fw::clBlack);
    EXPECT_EQ(all[15]->SeriesColor(), GetDefaultColor(0));
}

TEST(SeriesList, MovingLeavingAndCountingActive) {
    FakeChart first, second;
    TChartSeries a, b;
    first.AddSeries(a);
    first.AddSeries(b);
    b.SetActive(false);
    EXPECT_EQ(first.list.CountActive(), 1);

    const int before = first.invalidations;
    second.AddSeries(a);
    EXPECT_EQ(a.ParentChart(), &second);
    EXPECT_EQ(first.list.IndexOf(&a), -1);
    EXPECT_EQ(second.list.IndexOf(&a), 0);
    EXPECT_GT(first.invalidations, before);
    EXPECT_EQ(a.GetHorizAxis(), &second.bottom);

    second.AddSeries(a);  // already there
    EXPECT_EQ(second.list.Count(), 1);

    first.RemoveSeries(b);
    EXPECT_EQ(b.ParentChart(), nullptr);
    EXPECT_EQ(first.list.Count(), 0);
    first.RemoveSeries(b);  // not listed: nothing
}

TEST(SeriesList, DestroyedSeriesLeavesAndDestroyedChartLetsGo) {
    auto chart = std::make_unique<FakeChart>();
    TChartSeries survivor;
    {
        TChartSeries temporary;
        chart->AddSeries(temporary);
        chart->AddSeries(survivor);
        EXPECT_EQ(chart->list.Count(), 2);
    }
    EXPECT_EQ(chart->list.Count(), 1);
    chart.reset();
    EXPECT_EQ(survivor.ParentChart(), nullptr);
    EXPECT_EQ(survivor.GetHorizAxis(), nullptr);
    survivor.AddY(1);  // nothing left to notify
    survivor.Clear();
}

TEST(SeriesDepth, SlotsIn2DAnd3D) {
    FakeChart chart;
    TChartSeries a, b, c;
    for (TChartSeries* s : {&a, &b, &c}) chart.AddSeries(*s);
    a.CalcZOrder();
    EXPECT_EQ(a.ZOrder(), 0);
    EXPECT_TRUE(a.MoreSameZOrder());
    EXPECT_TRUE(a.FirstInZOrder());
    EXPECT_FALSE(b.FirstInZOrder());

    chart.view3D = true;
    chart.topZOrder = -1;
    a.CalcZOrder();
    b.CalcZOrder();
    EXPECT_EQ(a.ZOrder(), 0);
    EXPECT_EQ(b.ZOrder(), 1);
    c.SetZOrder(5);
    c.CalcZOrder();
    EXPECT_EQ(chart.topZOrder, 5);
    EXPECT_EQ(c.ZOrder(), 5);
    EXPECT_EQ(c.MinZValue(), 5);
    EXPECT_FALSE(a.MoreSameZOrder());
    EXPECT_TRUE(b.FirstInZOrder());

    b.SetComputedZOrder(2);
    b.SetDepthSlot(15);
    EXPECT_EQ(b.StartZ(), 30);
    EXPECT_EQ(b.EndZ(), 45);
    EXPECT_EQ(b.MiddleZ(), 37);

    c.SetZOrder(-1);
    EXPECT_EQ(c.ComputedZOrder(), 0);
    b.SetActive(false);
    EXPECT_FALSE(b.FirstInZOrder());
}

TEST(SeriesAssign, CopiesSettingsAndPoints) {
    FakeChart chart;
    TChartSeries source;
    source.SetSeriesColor(fw::clRed);
    source.SetTitle("signal");
    source.SetVertAxis(aRightAxis);
    source.Marks().SetVisible(true);
    source.Marks().SetArrowLength(3);
    source.YValues().SetMultiplier(2);
    source.SetTag(7);
    source.AddY(1, "one");
    source.AddY(2, "", fw::clBlue);

    TChartSeries copy;
    chart.AddSeries(copy);
    copy.SetColorEachPoint(true);
    copy.AddY(99);
    copy.Assign(source);
    EXPECT_EQ(copy.SeriesColor(), fw::clRed);
    EXPECT_EQ(copy.Title(), "signal");
    EXPECT_EQ(copy.GetVertAxis(), &chart.right);
    EXPECT_TRUE(copy.Marks().Visible());
    EXPECT_EQ(copy.Marks().ArrowLength(), 3);
    EXPECT_EQ(copy.YValues().Multiplier(), 2);
    EXPECT_EQ(copy.Tag(), 7);
    ASSERT_EQ(copy.Count(), 2);
    EXPECT_EQ(copy.XLabel(0), "one");
    EXPECT_EQ(copy.ValueColor(1), fw::clBlue);  // kept though ColorEachPoint went off
    EXPECT_FALSE(copy.ColorEachPoint());
    // The copy reads what the source reads: raw values under the same multiplier.
    EXPECT_EQ(copy.YValue(1), source.YValue(1));
    EXPECT_EQ(copy.YValues().Total(), 6);
}

TEST(SeriesMarks, DefaultsPositionsAndAssign) {
    TChartSeries s;
    TSeriesMarks& marks = s.Marks();
    EXPECT_FALSE(marks.Visible());
    EXPECT_EQ(marks.ArrowLength(), 8);
    EXPECT_EQ(marks.Style(), smsLabel);
    EXPECT_EQ(marks.BackColor(), 0x0080FFFF);
    EXPECT_EQ(marks.Arrow().Color(), fw::clWhite);

    for (int i = 0; i < 3; ++i) s.AddY(i);
    marks.Positions().SetPosition(0, {{1, 1}, {2, 2}, {3, 3}, 10, 20, false});
    marks.Positions().SetPosition(2, {{4, 4}, {5, 5}, {6, 6}, 11, 21, true});
    EXPECT_EQ(marks.Positions().Position(1), nullptr);
    s.Delete(1);
    ASSERT_EQ(marks.Positions().Count(), 2);
    ASSERT_NE(marks.Positions().Position(1), nullptr);
    EXPECT_EQ(marks.Positions().Position(1)->Width, 21);
    s.Delete(1);
    s.Delete(0);
    EXPECT_EQ(marks.Positions().Count(), 0);  // shortened only where long enough
    marks.Positions().SetPosition(4, {});
    s.Clear();
    EXPECT_EQ(marks.Positions().Count(), 0);

    TChartSeries other;
    EXPECT_THROW(other.Marks().Assign(other.Marks().Arrow()), fw::EConvertError);  // not marks
}

}  // namespace
}  // namespace chart
