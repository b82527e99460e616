// Series data: adding in X order, bulk adds, deleting with colours and
// labels kept aligned, null points, repaint requests and dependent series.

#include <gtest/gtest.h>

#include <algorithm>
#include <numeric>
#include <vector>

#include "FakeSeriesChart.h"
#include "chart/base/ChartColors.h"
#include "chart/base/ChartException.h"

namespace chart {
namespace {

using testing::FakeChart;

std::vector<double> Xs(const TChartSeries& s) {
    std::vector<double> out;
    for (int32_t i = 0; i < s.Count(); ++i) out.push_back(s.XValue(i));
    return out;
}

std::vector<double> Ys(const TChartSeries& s) {
    std::vector<double> out;
    for (int32_t i = 0; i < s.Count(); ++i) out.push_back(s.YValue(i));
    return out;
}

TEST(SeriesAdd, NewSeriesIsEmpty) {
    TChartSeries s;
    EXPECT_EQ(s.Count(), 0);
    EXPECT_EQ(s.FirstVisibleIndex(), -1);
    EXPECT_EQ(s.LastVisibleIndex(), -1);
    EXPECT_EQ(s.MinYValue(), 0);
    EXPECT_EQ(s.MaxYValue(), 0);
    EXPECT_EQ(s.XValues().Order(), loAscending);
    EXPECT_EQ(s.YValues().Order(), loNone);
    EXPECT_EQ(s.ValueLists().ValueList(0), &s.XValues());
    EXPECT_EQ(s.ValueLists().ValueList(1), &s.YValues());
    EXPECT_EQ(s.HeapBytes(), 0u);
    EXPECT_EQ(s.XValues().Name(), "X");
    EXPECT_EQ(s.YValues().Name(), "Y");
    // The defaults a stored layout leaves out.
    EXPECT_TRUE(s.Active());
    EXPECT_TRUE(s.ShowInLegend());
    EXPECT_EQ(s.SeriesColor(), fw::clChartDefault);
    EXPECT_EQ(s.ValueFormat(), "#,##0.###");
    EXPECT_EQ(s.PercentFormat(), "##0.## %");
    EXPECT_EQ(s.HorizAxis(), aBottomAxis);
    EXPECT_EQ(s.VertAxis(), aLeftAxis);
    EXPECT_EQ(s.RecalcOptions(), rOnDelete | rOnModify | rOnInsert | rOnClear);
    EXPECT_FALSE(s.DrawPastLastVisible());
}

TEST(SeriesAdd, AddYAfterClearCountsXFromZero) {
    TChartSeries s;
    s.AddY(5);
    s.Clear();
    s.AddY(3.5);
    s.AddY(-1.25);
    EXPECT_EQ(Xs(s), (std::vector<double>{0, 1}));
    EXPECT_EQ(Ys(s), (std::vector<double>{3.5, -1.25}));
    EXPECT_EQ(s.MinYValue(), -1.25);
    EXPECT_EQ(s.MaxYValue(), 3.5);
}

TEST(SeriesAdd, AddYTakesTheCountAsXAndKeepsXOrder) {
    TChartSeries s;
    s.AddXY(10, 1);
    s.AddXY(20, 2);
    EXPECT_EQ(s.AddY(7), 0);  // X = 2 goes before 10
    EXPECT_EQ(s.XValue(0), 2);
    EXPECT_EQ(s.AddXY(20, 9), 3);  // after the existing 20
    EXPECT_EQ(Xs(s), (std::vector<double>{2, 10, 20, 20}));
    EXPECT_EQ(Ys(s), (std::vector<double>{7, 1, 2, 9}));
}

TEST(SeriesAdd, AddXTakesTheCountAsY) {
    TChartSeries s;
    s.AddX(4);
    s.AddX(9);
    EXPECT_EQ(Ys(s), (std::vector<double>{0, 1}));
}

TEST(SeriesAdd, RefusedPointChangesNothingButTheStagedValues) {
    TChartSeries s;
    s.AddY(1);
    int asked = 0;
    s.OnBeforeAdd = [&](TChartSeries& sender) {
        ++asked;
        EXPECT_EQ(&sender, &s);
        return false;
    };
    EXPECT_EQ(s.AddXY(5, 6, "label", fw::clRed), -1);
    EXPECT_EQ(asked, 1);
    EXPECT_EQ(s.Count(), 1);
    EXPECT_EQ(s.XValues().TempValue, 5);
    EXPECT_EQ(s.YValues().TempValue, 6);
    EXPECT_FALSE(s.HasLabels());
}

std::vector<double> Samples(int n) {
    std::vector<double> v(static_cast<std::size_t>(n));
    for (int i = 0; i < n; ++i) v[static_cast<std::size_t>(i)] = std::sin(i * 0.37) * 100 - i;
    return v;
}

TEST(SeriesAddArray, FillsXFromZeroWithDefaultColoursAndNoExtraMemory) {
    FakeChart chart;
    TChartSeries s;
    s.SetSeriesColor(fw::clNavy);
    chart.AddSeries(s);
    const auto values = Samples(513);
    const int before = chart.invalidations;
    EXPECT_EQ(s.AddArray(values.data(), 512), 513);
    ASSERT_EQ(s.Count(), 513);
    std::vector<double> expectedX(513);
    std::iota(expectedX.begin(), expectedX.end(), 0.0);
    EXPECT_EQ(Xs(s), expectedX);
    EXPECT_EQ(Ys(s), values);
    for (int32_t i = 0; i < 513; ++i) ASSERT_EQ(s.ValueColor(i), fw::clNavy);
    // The Y values only: no colour or label storage, and X is 0, 1, 2, ...
    EXPECT_EQ(s.HeapBytes(), 513u * sizeof(double));
    EXPECT_EQ(s.MinYValue(), *std::min_element(values.begin(), values.end()));
    EXPECT_EQ(chart.invalidations - before, 1);  // one request for the whole batch
}

// Points that all carry one colour or one label store it once; the first
// point that differs stores one entry a point, the earlier ones keeping theirs.
TEST(SeriesAdd, OneColourOrLabelForEveryPointIsStoredOnce) {
    TChartSeries s;
    const auto colours = [&] {
        std::vector<fw::TColor> c;
        for (int32_t i = 0; i < s.Count(); ++i) c.push_back(s.ValueColor(i));
        return c;
    };
    const std::size_t plain = sizeof(double);  // the Y value; X is the point's index
    for (int i = 0; i < 100; ++i) s.AddY(i + 0.5, "a", fw::clRed);
    EXPECT_EQ(colours(), std::vector<fw::TColor>(100, fw::clRed));
    EXPECT_TRUE(s.HasLabels());
    EXPECT_EQ(s.XLabel(99), "a");
    EXPECT_EQ(s.HeapBytes(), s.XValues().HeapBytes() + s.YValues().HeapBytes());
    EXPECT_GE(s.HeapBytes(), 100 * plain);

    s.Delete(0);
    s.AddY(7, "a", fw::clBlue);
    std::vector<fw::TColor> expected(99, fw::clRed);
    expected.push_back(fw::clBlue);
    EXPECT_EQ(colours(), expected);

    const std::vector<double> more = Samples(10);
    s.AddArray(more.data(), 9);  // plain points after coloured ones
    expected.insert(expected.end(), 10, s.SeriesColor());
    EXPECT_EQ(colours(), expected);
    EXPECT_EQ(s.XLabel(100), "");

    s.Clear();
    s.AddY(1, "", fw::clGreen);
    s.SetColorEachPoint(true);
    s.SetColorEachPoint(false);  // every point back to the series colour, the points kept
    ASSERT_EQ(s.Count(), 1);
    s.AddY(2, "", fw::clGreen);
    EXPECT_EQ(colours(), (std::vector<fw::TColor>{s.SeriesColor(), fw::clGreen}));

    while (s.Count() > 0) s.Delete(0);
    s.AddY(3, "", fw::clYellow);
    EXPECT_EQ(colours(), std::vector<fw::TColor>{fw::clYellow});
    EXPECT_FALSE(s.HasLabels());
}

TEST(SeriesAddArray, NegativeHighIndexAddsNothing) {
    TChartSeries s;
    s.AddY(1);
    const double none[1] = {0};
    EXPECT_EQ(s.AddArray(none, -1), 0);
    EXPECT_EQ(s.AddArray(none, -7), 0);
    EXPECT_EQ(s.Count(), 1);
}

// Bulk adds must leave the same points as adding each value with AddY.
void ExpectSameAsAddYLoop(const std::function<void(TChartSeries&)>& prepare) {
    const auto values = Samples(40);
    TChartSeries bulk, single;
    prepare(bulk);
    prepare(single);
    bulk.AddArray(values.data(), 39);
    for (double v : values) single.AddY(v);
    EXPECT_EQ(Xs(bulk), Xs(single));
    EXPECT_EQ(Ys(bulk), Ys(single));
    for (int32_t i = 0; i < single.Count(); ++i) {
        EXPECT_EQ(bulk.ValueColor(i), single.ValueColor(i));
        EXPECT_EQ(bulk.XLabel(i), single.XLabel(i));
    }
}

TEST(SeriesAddArray, MatchesPointByPointAddingInEveryCase) {
    ExpectSameAsAddYLoop([](TChartSeries&) {});
    ExpectSameAsAddYLoop([](TChartSeries& s) {  // existing points, colours and labels
        s.AddY(1, "first", fw::clRed);
        s.AddY(2);
    });
    ExpectSameAsAddYLoop([](TChartSeries& s) {  // X ahead of the count: not an append
        s.AddXY(10, 1);
        s.AddXY(20, 2);
    });
    ExpectSameAsAddYLoop([](TChartSeries& s) { s.XValues().SetOrder(loDescending); });
    ExpectSameAsAddYLoop([](TChartSeries& s) { s.XValues().SetOrder(loNone); });
}

TEST(SeriesAddArray, AddEventsSeeEveryPoint) {
    TChartSeries s;
    std::vector<int32_t> added;
    s.OnAfterAdd = [&](TChartSeries&, int32_t index) { added.push_back(index); };
    const auto values = Samples(5);
    s.AddArray(values.data(), 4);
    EXPECT_EQ(added, (std::vector<int32_t>{0, 1, 2, 3, 4}));
}

TEST(SeriesAddArray, TheBatchUpdatesTheStatistics) {
    TChartSeries s;
    s.AddY(0);
    EXPECT_EQ(s.MaxYValue(), 0);
    // The samples reach above and below 0, so their ends are the series' ends.
    const auto values = Samples(100);
    s.AddArray(values.data(), 99);
    EXPECT_EQ(s.Count(), 101);
    EXPECT_EQ(s.MinYValue(), *std::min_element(values.begin(), values.end()));
    EXPECT_EQ(s.MaxYValue(), *std::max_element(values.begin(), values.end()));
}

TEST(SeriesColors, PointColourSeriesColourAndPalette) {
    TChartSeries s;
    s.SetSeriesColor(fw::clTeal);
    s.AddY(1);
    s.AddY(2, "", fw::clRed);
    s.AddY(3);
    EXPECT_EQ(s.ValueColor(0), fw::clTeal);
    EXPECT_EQ(s.ValueColor(1), fw::clRed);
    EXPECT_EQ(s.ValueColor(3), fw::clTeal);  // beyond the points: no error
    EXPECT_EQ(s.ValueColor(-1), fw::clTeal);
    s.SetColorEachPoint(true);
    EXPECT_EQ(s.ValueColor(0), GetDefaultColor(0));
    EXPECT_EQ(s.ValueColor(1), fw::clRed);
    EXPECT_EQ(s.ValueColor(2), GetDefaultColor(2));
    EXPECT_EQ(s.ValueColor(3), fw::clTeal);
    s.SetColorEachPoint(false);  // resets every point colour
    EXPECT_EQ(s.ValueColor(1), fw::clTeal);
    EXPECT_THROW(s.SetValueColor(3, fw::clRed), fw::EListError);
}

TEST(SeriesColors, EveryPointRedAsTheViewPlotAddsThem) {
    TChartSeries s;
    for (int i = 0; i < 50; ++i) s.AddY(i * 0.5, "", fw::clRed);
    for (int32_t i = 0; i < 50; ++i) ASSERT_EQ(s.ValueColor(i), fw::clRed);
    s.Delete(10);
    s.AddY(100);  // a point without a colour of its own after coloured ones
    EXPECT_EQ(s.ValueColor(48), fw::clRed);
    EXPECT_EQ(s.ValueColor(49), fw::clChartDefault);  // the series colour
    EXPECT_GE(s.HeapBytes(), 50u * (2 * sizeof(double) + sizeof(fw::TColor)));
}

TEST(SeriesNulls, NullPointsCountInStatisticsAndVisibleRange) {
    TChartSeries s;
    s.AddY(5);
    s.AddNull("gap");
    s.AddNullXY(2, -3);
    s.AddY(7);
    EXPECT_FALSE(s.IsNull(0));
    EXPECT_TRUE(s.IsNull(1));
    EXPECT_TRUE(s.IsNull(2));
    EXPECT_EQ(s.XLabel(1), "gap");
    EXPECT_EQ(s.YValue(1), 0);
    EXPECT_EQ(s.MinYValue(), -3);
    EXPECT_EQ(s.YValues().Total(), 9);
    s.CalcFirstLastVisibleIndex();
    EXPECT_EQ(s.FirstVisibleIndex(), 0);
    EXPECT_EQ(s.LastVisibleIndex(), 3);
}

TEST(SeriesDelete, KeepsColoursAndLabelsWithTheirPoints) {
    TChartSeries s;
    s.AddY(1, "one", fw::clRed);
    s.AddY(2, "two", fw::clBlue);
    s.Delete(0);
    ASSERT_EQ(s.Count(), 1);
    EXPECT_EQ(s.YValue(0), 2);
    EXPECT_EQ(s.XLabel(0), "two");
    EXPECT_EQ(s.ValueColor(0), fw::clBlue);
}

TEST(SeriesDelete, SparseColoursAndLabelsStayAlignedThroughOrderedInsertsAndDeletes) {
    TChartSeries s;
    // Reference: per point (x, label, colour) kept sorted the way the series must.
    struct P {
        double x;
        std::string label;
        fw::TColor color;
    };
    std::vector<P> ref;
    auto add = [&](double x, std::string label, fw::TColor color) {
        const int32_t index = s.AddXY(x, x * 10, label, color);
        const auto pos = std::upper_bound(ref.begin(), ref.end(), x, [](double v, const P& p) { return v < p.x; });
        ASSERT_EQ(index, pos - ref.begin());
        ref.insert(pos, P{x, label, color});
    };
    add(5, "", fw::clChartDefault);
    add(1, "", fw::clChartDefault);
    add(3, "three", fw::clChartDefault);  // labels materialise here
    add(2, "", fw::clGreen);              // colours materialise here
    add(3, "", fw::clRed);
    add(0, "zero", fw::clChartDefault);
    s.Delete(2);
    ref.erase(ref.begin() + 2);
    s.Delete(static_cast<int32_t>(ref.size()) - 1);
    ref.pop_back();
    ASSERT_EQ(s.Count(), static_cast<int32_t>(ref.size()));
    for (int32_t i = 0; i < s.Count(); ++i) {
        const P& p = ref[static_cast<std::size_t>(i)];
        EXPECT_EQ(s.XValue(i), p.x) << i;
        EXPECT_EQ(s.YValue(i), p.x * 10) << i;
        EXPECT_EQ(s.XLabel(i), p.label) << i;
        EXPECT_EQ(s.ValueColor(i), p.color == fw::clChartDefault ? s.SeriesColor() : p.color) << i;
    }
}

TEST(SeriesDelete, BadIndexFailsBeforeChangingAnything) {
    FakeChart chart;
    TChartSeries s;
    chart.AddSeries(s);
    s.AddY(1, "a", fw::clRed);
    s.AddY(2);
    const int before = chart.invalidations;
    for (int32_t bad : {-1, 2}) {
        try {
            s.Delete(bad);
            ADD_FAILURE() << bad;
        } catch (const fw::EListError& e) {
            EXPECT_EQ(e.Message(), "List index out of bounds (" + std::to_string(bad) + ")");
        }
    }
    EXPECT_THROW(s.XValue(2), fw::EListError);
    EXPECT_THROW(s.SetYValue(5, 0), fw::EListError);
    EXPECT_THROW(s.SetXLabel(2, "x"), fw::EListError);
    EXPECT_EQ(Ys(s), (std::vector<double>{1, 2}));
    EXPECT_EQ(s.XLabel(0), "a");
    EXPECT_EQ(s.XLabel(5), "");  // reading a label beyond the points does not fail
    EXPECT_EQ(chart.invalidations, before);
}

TEST(SeriesSort, SortingByXMovesColoursAndLabelsAlong) {
    TChartSeries s;
    s.XValues().SetOrder(loNone);
    s.AddXY(3, 30, "c", fw::clRed);
    s.AddXY(1, 10, "a");
    s.AddXY(2, 20, "b", fw::clBlue);
    s.XValues().SetOrder(loAscending);
    s.XValues().Sort();
    EXPECT_EQ(Xs(s), (std::vector<double>{1, 2, 3}));
    EXPECT_EQ(Ys(s), (std::vector<double>{10, 20, 30}));
    EXPECT_EQ(s.XLabel(0), "a");
    EXPECT_EQ(s.XLabel(2), "c");
    EXPECT_EQ(s.ValueColor(1), fw::clBlue);
    EXPECT_EQ(s.ValueColor(2), fw::clRed);
}

TEST(SeriesRepaint, RequestsOnlyWhenSomethingChanged) {
    FakeChart chart;
    TChartSeries s;
    s.SetSeriesColor(fw::clRed);
    chart.AddSeries(s);
    int n = chart.invalidations;
    s.SetTitle("");
    s.SetActive(true);
    s.SetSeriesColor(fw::clRed);
    s.SetValueFormat("#,##0.###");
    s.SetHorizAxis(aBottomAxis);
    s.Marks().SetVisible(false);
    s.Marks().SetArrowLength(8);
    s.YValues().SetMultiplier(1);
    EXPECT_EQ(chart.invalidations, n);

    s.SetTitle("signal");
    EXPECT_EQ(chart.invalidations, ++n);
    s.Marks().Frame().SetColor(fw::clRed);  // owned pens repaint too
    EXPECT_EQ(chart.invalidations, ++n);
    s.AddY(1);
    EXPECT_EQ(chart.invalidations, ++n);
    s.SetYValue(0, 1.5);
    EXPECT_EQ(chart.invalidations, ++n);

    s.SetActive(false);
    n = chart.invalidations;
    s.AddY(2);  // an inactive series asks for no repaint when a point is added
    EXPECT_EQ(chart.invalidations, n);
    s.Clear();  // but clearing does
    EXPECT_EQ(chart.invalidations, n + 1);
}

TEST(SeriesRepaint, NoRequestOnClearWhileTheChartIsBeingDestroyed) {
    FakeChart chart;
    TChartSeries s;
    chart.AddSeries(s);
    s.AddY(1);
    chart.destroying = true;
    const int before = chart.invalidations;
    int cleared = 0;
    s.OnClearValues = [&](TChartSeries&) { ++cleared; };
    s.Clear();
    EXPECT_EQ(chart.invalidations, before);
    EXPECT_EQ(cleared, 1);
    EXPECT_EQ(s.Count(), 0);
}

// ---- Dependent series -------------------------------------------------------------

struct LinkedPair : ::testing::Test {
    FakeChart chart;
    TChartSeries source;
    TChartSeries dependant;
    void SetUp() override {
        chart.AddSeries(source);
        chart.AddSeries(dependant);
        source.AddY(1);
        source.AddY(2, "two", fw::clRed);
        dependant.SetDataSource(&source);
    }
};

TEST_F(LinkedPair, LinkingCopiesThePoints) {
    EXPECT_EQ(Ys(dependant), (std::vector<double>{1, 2}));
    EXPECT_EQ(dependant.XLabel(1), "two");
    EXPECT_EQ(dependant.ValueColor(1), fw::clRed);
    EXPECT_EQ(source.LinkedSeries(), (std::vector<TChartSeries*>{&dependant}));
}

TEST_F(LinkedPair, FollowsAddsDeletesClearsAndRefreshes) {
    source.AddY(3);
    EXPECT_EQ(Ys(dependant), (std::vector<double>{1, 2, 3}));
    source.Delete(0);
    EXPECT_EQ(Ys(dependant), (std::vector<double>{2, 3}));
    source.YValues().SetMultiplier(10);  // a refresh re-copies scaled values
    EXPECT_EQ(Ys(dependant), (std::vector<double>{20, 30}));
    source.YValues().SetValue(0, 5);
    EXPECT_EQ(Ys(dependant), (std::vector<double>{50, 30}));
    source.Clear();
    EXPECT_EQ(dependant.Count(), 0);
}

TEST_F(LinkedPair, RecalcOptionsChooseWhatIsFollowed) {
    dependant.SetRecalcOptions(rOnClear);
    source.AddY(3);
    source.Delete(0);
    source.YValues().SetValue(0, 9);
    EXPECT_EQ(Ys(dependant), (std::vector<double>{1, 2}));
    source.RefreshSeries();  // a refresh is always followed
    EXPECT_EQ(Ys(dependant), (std::vector<double>{9, 3}));
}

TEST_F(LinkedPair, CircularAndUnparentedLinksAreRefused) {
    try {
        source.SetDataSource(&dependant);
        ADD_FAILURE();
    } catch (const ChartException& e) {
        EXPECT_EQ(e.Message(), "Circular Series dependences are not allowed");
    }
    EXPECT_THROW(source.SetDataSource(&source), ChartException);
    TChartSeries third;
    chart.AddSeries(third);
    third.SetDataSource(&dependant);
    EXPECT_THROW(source.SetDataSource(&third), ChartException);  // through another series
    EXPECT_EQ(source.DataSource(), nullptr);

    TChartSeries orphan;
    try {
        orphan.SetDataSource(&source);
        ADD_FAILURE();
    } catch (const ChartException& e) {
        EXPECT_EQ(e.Message(), "No ParentChart to validate DataSource");
    }
    EXPECT_EQ(orphan.DataSource(), nullptr);
    EXPECT_EQ(source.LinkedSeries().size(), 1u);
}

TEST_F(LinkedPair, RefusedSourceKindIsNamed) {
    struct Picky : TChartSeries {
        bool IsValidSeriesSource(const TChartSeries&) const override { return false; }
    } picky;
    chart.AddSeries(picky);
    source.SetName("Series1");
    try {
        picky.SetDataSource(&source);
        ADD_FAILURE();
    } catch (const ChartException& e) {
        EXPECT_EQ(e.Message(), "No valid DataSource: Series1");
    }
    EXPECT_EQ(picky.Count(), 0);
}

TEST_F(LinkedPair, DestroyingEitherSideUnlinks) {
    {
        TChartSeries temporary;
        chart.AddSeries(temporary);
        temporary.SetDataSource(&source);
        EXPECT_EQ(source.LinkedSeries().size(), 2u);
    }
    EXPECT_EQ(source.LinkedSeries().size(), 1u);
    auto doomed = std::make_unique<TChartSeries>();
    chart.AddSeries(*doomed);
    dependant.SetDataSource(doomed.get());
    doomed.reset();
    EXPECT_EQ(dependant.DataSource(), nullptr);
    source.AddY(4);  // nothing dangles
}

}  // namespace
}  // namespace chart
