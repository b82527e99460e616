// Axis labels in the default number format on ranges finer than its three
// decimals: distinct and in order, unchanged where they already were; and the
// values tooltip over such a range.
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <cstdio>
#include <random>
#include <string>
#include <vector>

#include "AxisTestChart.h"
#include "ChartTestHost.h"
#include "framework/core/FormatSettings.h"

namespace chart::testing {
namespace {

using Texts = std::vector<std::string>;

// The default format written out in full: the same texts, but set by the
// program, so the axis keeps it as it is.
constexpr const char* kSameAsDefault = "#,##0.###;-#,##0.###";

double Parse(std::string text) {
    std::erase(text, ',');
    return std::stod(text);
}

// Neighbours differ, and the values fall from the first label on.
void ExpectDistinctAndFalling(const Texts& labels, const std::string& what) {
    for (std::size_t i = 1; i < labels.size(); ++i)
        EXPECT_GT(Parse(labels[i - 1]), Parse(labels[i])) << what << ": " << labels[i - 1] << " then " << labels[i];
}

bool NeighboursDiffer(const Texts& labels) { return std::adjacent_find(labels.begin(), labels.end()) == labels.end(); }

class AxisLabelDecimalsTest : public ::testing::Test {
protected:
    void SetUp() override {
        fw::DefaultFormatSettings().DecimalSeparator = '.';
        fw::DefaultFormatSettings().ThousandSeparator = ',';
        chart.AddSeries(series);
        chart.StartImage(700, 320);
    }
    void TearDown() override { fw::DefaultFormatSettings() = saved; }

    // The left axis' labels for a series spanning low ... high.
    Texts LeftLabels(double low, double high) {
        series.Clear();
        series.AddXY(0, low);
        series.AddXY(1, high);
        chart.Paint(fw::Rect(60, 20, 660, 290));
        return chart.DrawnLabels(chart.left);
    }

    fw::FormatSettings saved = fw::DefaultFormatSettings();
    AxisTestChart chart;
    TChartSeries series;
};

TEST_F(AxisLabelDecimalsTest, DefaultFormatLabelsGetTheFewestDecimalsThatTellThemApart) {
    const struct {
        const char* what;
        std::function<void(TChartAxis&)> setUp;
        double low, high;
        Texts expected;
    } cases[] = {
        // An increment of 0.0005, which the default format shows as 0.002,
        // 0.002, 0.001, 0.001, 0 and so on.
        {"within 0.0021",
         [](TChartAxis&) {},
         -0.0021,
         0.0021,
         {"0.002", "0.0015", "0.001", "0.0005", "0", "-0.0005", "-0.001", "-0.0015", "-0.002"}},
        // 0.00213 less steps of 0.0005: four decimals tell them apart, five
        // would be too many.
        {"off the increment",
         [](TChartAxis& a) { a.SetRoundFirstLabel(false); },
         -0.00213,
         0.00213,
         {"0.0021", "0.0016", "0.0011", "0.0006", "0.0001", "-0.0004", "-0.0009", "-0.0014", "-0.0019"}},
        // Few labels from the increment stay few.
        {"within 0.67", [](TChartAxis&) {}, -0.67, 0.67, {"0"}},
    };
    const bool roundFirst = chart.left.RoundFirstLabel();
    for (const auto& c : cases) {
        c.setUp(chart.left);
        EXPECT_EQ(LeftLabels(c.low, c.high), c.expected) << c.what;
        chart.left.SetRoundFirstLabel(roundFirst);
    }
    // Set by the program, the format stays, repeats and all.
    LeftLabels(-0.0021, 0.0021);
    chart.left.SetAxisValuesFormat(kSameAsDefault);
    EXPECT_FALSE(NeighboursDiffer(chart.DrawnLabels(chart.left)));
}

TEST_F(AxisLabelDecimalsTest, LogarithmicLabelsGetDecimalsToo) {
    chart.left.SetLogarithmic(true);
    // The default format reads 0, 0, 0.001 ...; four decimals are the fewest
    // that tell the first two apart.
    EXPECT_EQ(LeftLabels(1e-5, 0.1), (Texts{"0", "0.0001", "0.001", "0.01", "0.1"}));
}

TEST_F(AxisLabelDecimalsTest, ASignalWithinTenthsOfAMillionthIsNotElevenZeros) {
    const Texts labels = LeftLabels(-3e-7, 3e-7);
    ASSERT_GE(labels.size(), 5u);
    ExpectDistinctAndFalling(labels, "within 3e-7");
    // An increment of 5e-8 takes eight decimals.
    EXPECT_EQ(labels.front(), "0.00000025");
}

TEST_F(AxisLabelDecimalsTest, TheLeftBandWidensForTheLongerLabels) {
    LeftLabels(-0.002, 0.002);
    const int32_t wide = chart.left.MaxLabelsWidth();
    chart.left.SetAxisValuesFormat(kSameAsDefault);
    EXPECT_GT(wide, chart.left.MaxLabelsWidth());
}

TEST_F(AxisLabelDecimalsTest, LongerLabelsAlongTheAxisTakeACoarserIncrement) {
    // The ends read 0 and 0.002 in the default format, 0.0001 and 0.0021
    // with the decimals the labels need: fewer of those fit.
    series.AddXY(0.000137, 0);
    series.AddXY(0.002137, 1);
    chart.Paint(fw::Rect(60, 20, 660, 290));
    const Texts labels = chart.DrawnLabels(chart.bottom);
    ASSERT_GE(labels.size(), 2u);
    ExpectDistinctAndFalling(labels, "bottom");
    int32_t widest = 0;
    for (const std::string& text : labels)
        widest = std::max(widest, chart.TextWidthIn(chart.bottom.LabelsFont(), text));
    EXPECT_LE(static_cast<int32_t>(labels.size() - 1) * widest, chart.bottom.PixelLength());
}

TEST_F(AxisLabelDecimalsTest, LabelsThatWereDistinctAreUnchangedAndTheRestBecomeSo) {
    // Ranges of every size from a millionth to a million, here and there
    // off zero, on both axes.
    std::mt19937 rng(7);
    std::uniform_real_distribution<double> unit(0, 1);
    int repeated = 0;
    for (int i = 0; i < 150; ++i) {
        const double span = std::pow(10.0, -6 + 12 * unit(rng));
        const double low = span * (unit(rng) * 4 - 2);
        const double high = low + span * (0.05 + unit(rng));
        series.Clear();
        series.AddXY(low, low);
        series.AddXY(high, high);
        for (TChartAxis* axis : {&chart.left, &chart.bottom}) {
            const std::string what = std::to_string(low) + " ... " + std::to_string(high);
            axis->SetAxisValuesFormat(kSameAsDefault);
            chart.Paint(fw::Rect(60, 20, 660, 290));
            const Texts plain = chart.DrawnLabels(*axis);
            axis->SetAxisValuesFormat(MsgDefaultValueFormat);
            chart.Paint(fw::Rect(60, 20, 660, 290));
            const Texts labels = chart.DrawnLabels(*axis);
            if (NeighboursDiffer(plain)) {
                EXPECT_EQ(labels, plain) << what;
            } else {
                ++repeated;
                ExpectDistinctAndFalling(labels, what);
            }
        }
    }
    EXPECT_GT(repeated, 20) << "the ranges should reach below the format's decimals";
}

TEST(ValuesTooltip, TellsNeighbouringPixelsApart) {
    OffscreenHost host(697, 300);
    TChart chart;
    SetUpAsProgramChart(chart);
    chart.SetHost(&host);
    TChartSeries series;
    chart.AddSeries(series);
    for (int i = 0; i <= 100; ++i) series.AddY(0.002 * std::sin(i / 8.0));
    host.Paint();
    const fw::TRect plot = chart.PlotRect();
    const int32_t x = (plot.Left + plot.Right) / 2;
    std::vector<std::string> texts;
    for (int32_t y = plot.Top + 1; y < plot.Bottom - 1; ++y) texts.push_back(chart.ValuesText(x, y));
    EXPECT_EQ(std::adjacent_find(texts.begin(), texts.end()), texts.end());
    // Set by the program, the format is the tooltip's too.
    chart.LeftAxis()->SetAxisValuesFormat(kSameAsDefault);
    host.Paint();
    const std::string text = chart.ValuesText(x, plot.Top + 10);
    EXPECT_EQ(text.substr(text.find("Y: ")),
              "Y: " + chart.LeftAxis()->LabelValue(chart.LeftAxis()->CalcPosPoint(plot.Top + 10)));
}

}  // namespace
}  // namespace chart::testing
