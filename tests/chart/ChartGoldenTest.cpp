// The program's upper chart as exported pictures, against golden images: empty,
// and with a 513-point series (a plain series draws no line; the axes scale
// to it and show their labels and grid). Set QUELMAR_UPDATE_GOLDEN=1 to
// write the pictures as the new golden images after checking them by eye.
#include <gtest/gtest.h>

#include <QFile>
#include <QImage>
#include <cmath>
#include <numbers>
#include <vector>

#include "app/ProgramCharts.h"

namespace chart::testing {
namespace {

const std::string GoldenDir = std::string(QUELMAR_SOURCE_DIR) + "/tests/chart/golden/";
const std::string OutputDir = std::string(QUELMAR_BINARY_DIR) + "/";

// A channel may differ by this much without the pixel counting as changed
// (text smoothing), and this many pixels may change.
constexpr int ChannelTolerance = 48;
constexpr int ChangedPixelsAllowed = 60;

// Compares the exported file with its golden image; on a difference writes
// the picture and a diff image (changed pixels red over a faded copy).
void ExpectMatchesGolden(const std::string& exported, const std::string& name) {
    const QImage actual = QImage(QString::fromStdString(exported)).convertToFormat(QImage::Format_RGB32);
    ASSERT_FALSE(actual.isNull()) << "the export was not written";
    const std::string golden = GoldenDir + name + ".png";
    if (qEnvironmentVariableIsSet("QUELMAR_UPDATE_GOLDEN")) {
        ASSERT_TRUE(actual.save(QString::fromStdString(golden)));
        return;
    }
    const QImage expected = QImage(QString::fromStdString(golden)).convertToFormat(QImage::Format_RGB32);
    ASSERT_FALSE(expected.isNull()) << "no golden image " << golden;
    ASSERT_EQ(actual.size(), expected.size());
    QImage diff = actual;
    int changed = 0;
    for (int y = 0; y < actual.height(); ++y) {
        for (int x = 0; x < actual.width(); ++x) {
            const QRgb a = actual.pixel(x, y);
            const QRgb e = expected.pixel(x, y);
            const int d = std::max({std::abs(qRed(a) - qRed(e)), std::abs(qGreen(a) - qGreen(e)),
                                    std::abs(qBlue(a) - qBlue(e))});
            const bool differs = d > ChannelTolerance;
            changed += differs;
            diff.setPixel(x, y, differs ? qRgb(255, 0, 0) : qRgb(128 + qGray(a) / 2, 128 + qGray(a) / 2, 128 + qGray(a) / 2));
        }
    }
    if (changed > ChangedPixelsAllowed) {
        actual.save(QString::fromStdString(OutputDir + "golden_" + name + ".png"));
        diff.save(QString::fromStdString(OutputDir + "golden_" + name + "_diff.png"));
        ADD_FAILURE() << changed << " pixels differ from " << golden << "; picture and diff written to " << OutputDir
                      << "golden_" << name << ".png / _diff.png";
    }
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
