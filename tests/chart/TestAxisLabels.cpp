// Label texts and which labels an axis draws: number and date-time formats,
// the chart's label events, label styles, logarithmic, custom and text labels.

#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <utility>
#include <vector>

#include "AxisTestChart.h"
#include "chart/scale/AxisIncrement.h"
#include "framework/core/DateTime.h"
#include "framework/core/FormatDateTime.h"
#include "framework/core/FormatSettings.h"

namespace chart::testing {
namespace {

using Texts = std::vector<std::string>;

// Replaces the process-wide regional settings for one test.
class RegionalSettings {
public:
    RegionalSettings() : saved_(fw::DefaultFormatSettings()) {}
    ~RegionalSettings() { fw::DefaultFormatSettings() = saved_; }
    RegionalSettings(const RegionalSettings&) = delete;
    RegionalSettings& operator=(const RegionalSettings&) = delete;
    fw::FormatSettings& operator*() { return fw::DefaultFormatSettings(); }

private:
    fw::FormatSettings saved_;
};

class AxisLabelsTest : public ::testing::Test {
protected:
    void SetUp() override {
        (*regional).DecimalSeparator = '.';
        (*regional).ThousandSeparator = ',';
        (*regional).ShortDateFormat = "M/d/yyyy";
        (*regional).ShortTimeFormat = "h:mm";
        chart.AddSeries(series);
        chart.StartImage(700, 320);
    }

    RegionalSettings regional;
    AxisTestChart chart;
    TChartSeries series;
};

TEST_F(AxisLabelsTest, NumberFormatUnderRegionalSeparators) {
    TChartAxis& a = chart.left;
    EXPECT_EQ(a.LabelValue(512), "512");
    EXPECT_EQ(a.LabelValue(1234.5), "1,234.5");
    EXPECT_EQ(a.LabelValue(0.0004), "0");
    EXPECT_EQ(a.LabelValue(-3.14159), "-3.142");
    EXPECT_EQ(a.LabelValue(-0.0004), "0");
    (*regional).DecimalSeparator = ',';
    (*regional).ThousandSeparator = '.';
    EXPECT_EQ(a.LabelValue(1234.5), "1.234,5");
    a.SetAxisValuesFormat("0.00");
    EXPECT_EQ(a.LabelValue(2.5), "2,50");
}

TEST_F(AxisLabelsTest, LabelEventMayChangeTheText) {
    chart.OnGetAxisLabel = [&](TCustomChartAxis& axis, TChartSeries* s, int32_t index, std::string& text) {
        EXPECT_EQ(&axis, &chart.left);
        EXPECT_EQ(s, nullptr);
        EXPECT_EQ(index, -1);
        text += " V";
    };
    EXPECT_EQ(chart.left.LabelValue(3), "3 V");
}

TEST_F(AxisLabelsTest, MultiLineLabelsBreakAtBlanksAfterTheEvent) {
    chart.bottom.SetAxisValuesFormat("0 \"kilo units\"");
    std::string seen;
    chart.OnGetAxisLabel = [&](TCustomChartAxis&, TChartSeries*, int32_t, std::string& text) { seen = text; };
    chart.bottom.SetLabelsMultiLine(true);
    EXPECT_EQ(chart.bottom.LabelValue(5), "5\rkilo\runits");
    EXPECT_EQ(seen, "5 kilo units");
}

TEST_F(AxisLabelsTest, DateTimeTexts) {
    series.XValues().SetDateTime(true);
    const double day = fw::EncodeDate(2024, 3, 7);
    series.AddXY(day, 1);
    series.AddXY(day + 10, 2);
    chart.Paint(fw::Rect(60, 20, 660, 290));
    EXPECT_TRUE(chart.bottom.ShowsDateTime());
    // A range of more than a day: the short date format.
    EXPECT_EQ(chart.bottom.LabelValue(day + 0.25), "3/7/2024");
    EXPECT_EQ(chart.bottom.LabelValue(-1), "");
    chart.bottom.SetDateTimeFormat("yyyy-mm-dd hh:nn");
    EXPECT_EQ(chart.bottom.LabelValue(day + 0.25), "2024-03-07 06:00");
    // Within a day: the short time format.
    chart.bottom.SetDateTimeFormat("");
    series.Clear();
    series.AddXY(day + 0.25, 1);
    series.AddXY(day + 0.75, 2);
    chart.Paint(fw::Rect(60, 20, 660, 290));
    EXPECT_EQ(chart.bottom.LabelValue(day + 0.5), "12:00");
    EXPECT_FALSE(chart.left.ShowsDateTime());
}

TEST_F(AxisLabelsTest, LabelStyleFollowsTheSeries) {
    EXPECT_EQ(chart.bottom.CalcLabelStyle(), talValue);
    EXPECT_EQ(chart.top.CalcLabelStyle(), talNone);
    series.AddXY(0, 1, "first");
    series.AddXY(1, 2);
    // Point labels make text labels on the index axis only.
    EXPECT_EQ(chart.bottom.CalcLabelStyle(), talText);
    EXPECT_EQ(chart.left.CalcLabelStyle(), talValue);
    chart.bottom.SetLabelStyle(talMark);
    EXPECT_EQ(chart.bottom.CalcLabelStyle(), talMark);
    // A label on a later point only does not count.
    TChartSeries later;
    chart.AddSeries(later);
    series.SetActive(false);
    later.AddXY(0, 1);
    later.AddXY(1, 2, "second");
    chart.bottom.SetLabelStyle(talAuto);
    EXPECT_EQ(chart.bottom.CalcLabelStyle(), talValue);
}

TEST_F(AxisLabelsTest, SixHundredPixelsOfSampleIndexes) {
    for (int i = 0; i <= 512; ++i) series.AddXY(i, i % 7);
    chart.left.SetVisible(false);
    chart.Paint(fw::Rect(50, 20, 650, 290));
    ASSERT_EQ(chart.bottom.PixelLength(), 600);
    // Any label of 11 to 21 pixels fits 26 to 50 labels: the step is 20.
    const int32_t width = chart.TextWidthIn(chart.bottom.LabelsFont(), "512");
    ASSERT_TRUE(width >= 11 && width <= 21) << width;
    Texts expected;
    for (int v = 500; v >= 0; v -= 20) expected.push_back(std::to_string(v));
    EXPECT_EQ(chart.DrawnLabels(chart.bottom), expected);
}

TEST_F(AxisLabelsTest, LeftAxisAcrossZero) {
    series.AddXY(0, -3.2);
    series.AddXY(1, 7.9);
    chart.bottom.SetVisible(false);
    chart.Paint(fw::Rect(50, 20, 650, 270));
    ASSERT_EQ(chart.left.PixelLength(), 250);
    EXPECT_EQ(chart.DrawnLabels(chart.left), (Texts{"7", "6", "5", "4", "3", "2", "1", "0", "-1", "-2", "-3"}));
}

TEST_F(AxisLabelsTest, NarrowRangeIncrement) {
    chart.left.SetMinMax(0.0012, 0.0047);
    chart.plot = fw::Rect(50, 20, 650, 270);
    chart.left.AdjustMaxMin();
    chart.left.InternalCalcPositions();
    // 13-pixel labels with 10 % room: 18 fit on 250 pixels.
    EXPECT_NEAR(chart.left.CalcXYIncrement(13), 0.0002, 1e-15);
    EXPECT_NEAR(chart.left.CalcXYIncrement(30), 0.0005, 1e-15);
}

TEST_F(AxisLabelsTest, EqualValuesGetOneLabelOrNone) {
    series.AddXY(0, 0.001);
    series.AddXY(1, 0.001);
    chart.Paint(fw::Rect(60, 20, 660, 290));
    EXPECT_EQ(chart.DrawnLabels(chart.left), Texts{"0.001"});
    series.Clear();
    series.AddXY(0, 4.5);
    series.AddXY(1, 4.5);
    chart.Paint(fw::Rect(60, 20, 660, 290));
    EXPECT_TRUE(chart.DrawnLabels(chart.left).empty());
    // Every point sits at the middle.
    EXPECT_EQ(chart.left.CalcYPosValue(4.5), chart.left.PixelCenter());
}

TEST_F(AxisLabelsTest, LogarithmicLabelsArePowers) {
    series.AddXY(0, 1);
    series.AddXY(1, 1000);
    chart.left.SetLogarithmic(true);
    chart.Paint(fw::Rect(60, 20, 660, 290));
    EXPECT_EQ(chart.DrawnLabels(chart.left), (Texts{"1", "10", "100", "1,000"}));
    // With an increment the labels are counted down as on a linear axis.
    chart.left.SetIncrement(200);
    chart.left.SetLabelsSeparation(0);
    EXPECT_EQ(chart.DrawnLabels(chart.left), (Texts{"1,000", "800", "600", "400", "200"}));
}

TEST_F(AxisLabelsTest, LogarithmicAxisFromZeroShowsFromATenth) {
    series.AddXY(0, 0);
    series.AddXY(1, 100);
    chart.left.SetLogarithmic(true);
    chart.Paint(fw::Rect(60, 20, 660, 290));
    EXPECT_EQ(chart.DrawnLabels(chart.left), (Texts{"0.1", "1", "10", "100"}));
    EXPECT_DOUBLE_EQ(chart.left.ShownMinimum(), 0.1);
}

TEST_F(AxisLabelsTest, CustomLabelsFromTheChart) {
    series.AddXY(0, 0);
    series.AddXY(1, 5);
    const std::vector<double> wanted{1, 2.5, 4, 100, 3};
    std::vector<int32_t> indexes;
    chart.OnGetNextAxisLabel = [&](TCustomChartAxis& axis, int32_t index, double& value, bool& stop) {
        if (&axis != &chart.left) return;
        indexes.push_back(index);
        stop = false;
        value = wanted[static_cast<std::size_t>(index)];
    };
    chart.Paint(fw::Rect(60, 20, 660, 290));
    indexes.clear();
    // The value out of range ends the list.
    EXPECT_EQ(chart.DrawnLabels(chart.left), (Texts{"1", "2.5", "4"}));
    EXPECT_EQ(indexes, (std::vector<int32_t>{0, 1, 2, 3}));
}

TEST_F(AxisLabelsTest, CustomLabelsStopAtOnceFallBackAndAreBounded) {
    series.AddXY(0, 0);
    series.AddXY(1, 5);
    chart.left.SetIncrement(1);
    chart.left.SetLabelsSeparation(0);
    chart.OnGetNextAxisLabel = [](TCustomChartAxis&, int32_t, double&, bool&) {};
    chart.Paint(fw::Rect(60, 20, 660, 290));
    EXPECT_EQ(chart.DrawnLabels(chart.left), (Texts{"5", "4", "3", "2", "1", "0"}));
    int calls = 0;
    chart.OnGetNextAxisLabel = [&](TCustomChartAxis& axis, int32_t, double& value, bool& stop) {
        if (&axis != &chart.left) return;
        ++calls;
        stop = false;
        value = 2;
    };
    chart.left.Draw(true);
    EXPECT_EQ(calls, 1001);
}

TEST_F(AxisLabelsTest, DateLabelsByTheWeek) {
    series.XValues().SetDateTime(true);
    series.AddXY(fw::EncodeDate(2024, 1, 1), 1);
    series.AddXY(fw::EncodeDate(2024, 1, 31) + 0.6, 2);
    chart.bottom.SetIncrement(7);
    chart.Paint(fw::Rect(60, 20, 660, 290));
    EXPECT_EQ(chart.DrawnLabels(chart.bottom), (Texts{"1/31/2024", "1/24/2024", "1/17/2024", "1/10/2024", "1/3/2024"}));
}

TEST_F(AxisLabelsTest, DateLabelsOnTheFirstOfEachMonth) {
    series.XValues().SetDateTime(true);
    series.AddXY(fw::EncodeDate(2023, 11, 10), 1);
    series.AddXY(fw::EncodeDate(2024, 3, 20) + 0.5, 2);
    chart.bottom.SetIncrement(30);
    chart.Paint(fw::Rect(60, 20, 660, 290));
    EXPECT_EQ(chart.DrawnLabels(chart.bottom), (Texts{"3/1/2024", "2/1/2024", "1/1/2024", "12/1/2023"}));
    // Without exact steps the increment is simply subtracted.
    chart.bottom.SetExactDateTime(false);
    const Texts plain = chart.DrawnLabels(chart.bottom);
    ASSERT_FALSE(plain.empty());
    EXPECT_EQ(plain.front(), fw::FormatDateTime("M/d/yyyy", std::trunc(chart.bottom.ShownMaximum() / 30) * 30));
}

TEST_F(AxisLabelsTest, TextLabelsComeFromThePointLabels) {
    series.AddXY(0, 5, "Mon");
    series.AddXY(1, 6, "Tue");
    series.AddXY(2, 7, "Wed");
    chart.Paint(fw::Rect(60, 20, 660, 290));
    ASSERT_EQ(chart.bottom.CalcLabelStyle(), talText);
    std::vector<std::pair<TChartSeries*, int32_t>> sources;
    Texts texts;
    chart.OnGetAxisLabel = [&](TCustomChartAxis& axis, TChartSeries* s, int32_t index, std::string& text) {
        if (&axis != &chart.bottom || !s) return;
        sources.emplace_back(s, index);
        texts.push_back(text);
    };
    chart.bottom.Draw(true);
    EXPECT_EQ(texts, (Texts{"Mon", "Tue", "Wed"}));
    EXPECT_EQ(sources.front(), std::make_pair(&series, 0));
    // A mark style of values shows the values instead.
    texts.clear();
    chart.bottom.SetLabelStyle(talMark);
    series.Marks().SetStyle(smsValue);
    chart.bottom.Draw(true);
    EXPECT_EQ(texts, (Texts{"5", "6", "7"}));
}

TEST_F(AxisLabelsTest, CrowdedTextLabelsDoNotOverlap) {
    for (int i = 0; i < 100; ++i) series.AddXY(i, i, "Label");
    chart.Paint(fw::Rect(60, 20, 660, 290));
    const int32_t width = chart.TextWidthIn(chart.bottom.LabelsFont(), "Label");
    // Ticks mark the labels drawn (ticks only where a label is drawn).
    std::vector<int32_t> ticks;
    const int32_t row = chart.bottom.LinePos() + 4;
    // Left of the plot lies the left axis' label text.
    for (int32_t x = chart.plot.Left; x < 700; ++x) {
        if (chart.PixelAt(x, row) == fw::TColor(0x808080)) ticks.push_back(x);
    }
    ASSERT_GE(ticks.size(), 5u);
    ASSERT_LT(ticks.size(), 100u);
    for (std::size_t i = 1; i < ticks.size(); ++i) {
        const int32_t gap = ticks[i] - ticks[i - 1];
        // Room for the label and its separation, but no label could have fit between.
        EXPECT_GE(gap, width) << "labels " << i - 1 << " and " << i;
        EXPECT_LE(gap, 2 * width) << "labels " << i - 1 << " and " << i;
    }
}

TEST_F(AxisLabelsTest, TextLabelsDroppedForOverlapKeepTheirTicks) {
    for (int i = 0; i < 100; ++i) series.AddXY(i, i, "Label");
    chart.bottom.SetTickOnLabelsOnly(false);
    chart.Paint(fw::Rect(60, 20, 660, 290));
    // Every point gets its tick although most of the labels make way.
    std::vector<int32_t> ticks;
    const int32_t row = chart.bottom.LinePos() + 4;
    for (int32_t x = chart.plot.Left; x < 700; ++x) {
        if (chart.PixelAt(x, row) == fw::TColor(0x808080)) ticks.push_back(x);
    }
    EXPECT_EQ(ticks.size(), 100u);
}

TEST_F(AxisLabelsTest, ValueLabelsAreNotAskedForWhenHidden) {
    series.AddXY(0, 0);
    series.AddXY(10, 10);
    chart.Paint(fw::Rect(60, 20, 660, 290));
    chart.bottom.SetLabels(false);
    chart.bottom.SetTickOnLabelsOnly(false);
    int asked = 0;
    chart.OnGetAxisLabel = [&](TCustomChartAxis& axis, TChartSeries*, int32_t, std::string&) {
        if (&axis == &chart.bottom) ++asked;
    };
    chart.bottom.Draw(true);
    // Only the two range ends the increment measures.
    EXPECT_EQ(asked, 2);
}

TEST_F(AxisLabelsTest, DepthLabelsNameTheActiveSeries) {
    TChartSeries second;
    TChartSeries hidden;
    series.SetTitle("First");
    second.SetName("Second");
    hidden.SetTitle("Hidden");
    hidden.SetActive(false);
    chart.AddSeries(hidden);
    chart.AddSeries(second);
    chart.topZOrder = 2;
    chart.LayOutAxes();
    chart.depth.SetLabelStyle(talText);
    std::vector<std::pair<int32_t, std::string>> labels;
    chart.OnGetAxisLabel = [&](TCustomChartAxis& axis, TChartSeries* s, int32_t index, std::string& text) {
        // Index -1: the range ends the increment measures.
        if (&axis != &chart.depth || index < 0) return;
        EXPECT_EQ(s, nullptr);
        labels.emplace_back(index, text);
    };
    chart.depth.Draw(true);
    const std::vector<std::pair<int32_t, std::string>> expected{{0, "First"}, {1, "Second"}, {2, ""}};
    EXPECT_EQ(labels, expected);
    // Hidden labels are not asked for.
    labels.clear();
    chart.depth.SetLabels(false);
    chart.depth.Draw(true);
    EXPECT_TRUE(labels.empty());
}

// The labels k = floor(high) ... ceil(low), as text: a step-1 axis over
// [low, high] labels each whole number in it, ends included.
Texts WholeNumbersDown(double low, double high) {
    Texts texts;
    for (int k = static_cast<int>(std::floor(high)); k >= static_cast<int>(std::ceil(low)); --k) {
        texts.push_back(std::to_string(k));
    }
    return texts;
}

TEST_F(AxisLabelsTest, LabelsAtTheExactDataEndsAreKept) {
    // Ranges whose pixel round trip used to land one ulp inside the data,
    // dropping the label at the end.
    series.AddXY(0, -5.0);
    series.AddXY(1, 3.2);
    chart.bottom.SetVisible(false);
    chart.Paint(fw::Rect(50, 20, 650, 270));
    EXPECT_EQ(chart.left.ShownMinimum(), -5.0);
    EXPECT_EQ(chart.left.ShownMaximum(), 3.2);
    EXPECT_EQ(chart.DrawnLabels(chart.left), WholeNumbersDown(-5, 3.2));

    chart.bottom.SetVisible(true);
    chart.left.SetVisible(false);
    for (auto [low, high] : {std::pair{-3.0, 7.2}, std::pair{-3.2, 7.0}}) {
        series.Clear();
        series.AddXY(low, 0);
        series.AddXY(high, 1);
        chart.Paint(fw::Rect(50, 20, 650, 270));
        EXPECT_EQ(chart.bottom.ShownMinimum(), low);
        EXPECT_EQ(chart.bottom.ShownMaximum(), high);
        EXPECT_EQ(chart.DrawnLabels(chart.bottom), WholeNumbersDown(low, high)) << low << " ... " << high;
    }
}

TEST_F(AxisLabelsTest, DataAcrossTheWholeDoubleRangeStaysFinite) {
    series.AddXY(0, -1e308);
    series.AddXY(1, 1e308);
    chart.bottom.SetVisible(false);
    chart.Paint(fw::Rect(50, 20, 650, 270));
    EXPECT_EQ(chart.left.ShownMinimum(), -1e308);
    EXPECT_EQ(chart.left.ShownMaximum(), 1e308);
    for (const std::string& text : chart.DrawnLabels(chart.left)) {
        EXPECT_EQ(text.find_first_of("nNiI"), std::string::npos) << text;
    }
    // The values still spread over the axis: the ends at the ends, 0 midway.
    EXPECT_EQ(chart.left.CalcYPosValue(1e308), 20);
    EXPECT_EQ(chart.left.CalcYPosValue(-1e308), 270);
    EXPECT_EQ(chart.left.CalcYPosValue(0), 145);
    EXPECT_EQ(chart.left.CalcPosPoint(145), 0);
    EXPECT_EQ(chart.left.CalcPosPoint(20), 1e308);
}

}  // namespace
}  // namespace chart::testing
