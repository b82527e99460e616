// The program's charts as exported pictures, against golden images: empty,
// with a 513-point signal drawn as its line over the scaled axes, the lower
// chart with the threshold lines and the upper one with a preview.
#include <gtest/gtest.h>

#include <QImage>
#include <cmath>
#include <numbers>
#include <vector>

#include "GoldenImage.h"
#include "app/ProgramCharts.h"

namespace chart::testing {
namespace {

const std::string GoldenDir = std::string(QUELMAR_SOURCE_DIR) + "/tests/chart/golden/";
const std::string OutputDir = std::string(QUELMAR_BINARY_DIR) + "/";

void ExpectMatchesGolden(const std::string& exported, const std::string& name) {
    golden::ExpectMatches(QImage(QString::fromStdString(exported)), GoldenDir, name);
}

// The program's upper chart with its signal series, off-screen.
class ChartGoldenTest : public ::testing::Test {
protected:
    app::ProgramCharts charts;
};

TEST_F(ChartGoldenTest, TheEmptyProgramChart) {
    const std::string file = OutputDir + "chart_empty.png";
    charts.Chart1().SaveToBitmapFile(file);
    ExpectMatchesGolden(file, "empty_chart");
}

TEST_F(ChartGoldenTest, AChartScaledToA513PointSeries) {
    std::vector<double> values(513);
    for (std::size_t i = 0; i < values.size(); ++i) {
        values[i] = 60 * std::sin(2 * std::numbers::pi * i / 128.0) + i / 8.0;
    }
    charts.Series1().AddArray(values.data(), 512);
    const std::string file = OutputDir + "chart_513.png";
    charts.Chart1().SaveToBitmapFile(file);
    ExpectMatchesGolden(file, "chart_513_points");
}

// The lower chart with the threshold lines at +-8 over the band of what they
// remove, behind 128 coefficients: small ones in the band, a few large ones.
TEST_F(ChartGoldenTest, TheLowerChartWithThresholdLines) {
    std::vector<double> coefficients(128);
    for (std::size_t i = 0; i < coefficients.size(); ++i) {
        coefficients[i] = 5 * std::sin(i * 2.3) + (i % 17 == 3 ? 30.0 - i / 4.0 : 0.0);
    }
    charts.Series3().AddArray(coefficients.data(), 127);
    charts.ThresholdLines().SetThreshold(8);
    charts.ThresholdLines().SetVisible(true);
    const std::string file = OutputDir + "chart_threshold_lines.png";
    charts.Chart2().SaveToBitmapFile(file);
    ExpectMatchesGolden(file, "chart_threshold_lines");
}

// The upper chart with a noisy signal and the preview of its denoising over it.
TEST_F(ChartGoldenTest, TheUpperChartWithThePreviewOverTheSignal) {
    std::vector<double> signal(513), preview(513);
    for (std::size_t i = 0; i < signal.size(); ++i) {
        preview[i] = 60 * std::sin(2 * std::numbers::pi * i / 128.0);
        signal[i] = preview[i] + 12 * std::sin(i * 2.3);
    }
    charts.Series1().AddArray(signal.data(), 512);
    charts.ShowPreview(true);
    charts.Preview().AddArray(preview.data(), 512);
    const std::string file = OutputDir + "chart_preview.png";
    charts.Chart1().SaveToBitmapFile(file);
    ExpectMatchesGolden(file, "chart_preview");
}

}  // namespace
}  // namespace chart::testing
