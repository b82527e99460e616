// The program's upper chart as exported pictures, against golden images: empty,
// and with a 513-point signal drawn as its line over the scaled axes.
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

}  // namespace
}  // namespace chart::testing
