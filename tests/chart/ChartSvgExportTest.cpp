// The program's upper chart with a 513-point noisy Doppler written as SVG:
// a run of line segments leaves as one element, so the file stays small, and
// it still draws what the bitmap export shows.
#include <gtest/gtest.h>

#include <QFile>
#include <QImage>
#include <QPainter>
#include <QSvgRenderer>
#include <cmath>
#include <numbers>
#include <vector>

#include "ImageCompare.h"
#include "app/ProgramCharts.h"
#include "framework/gui/paint/Bitmap.h"

namespace chart::testing {
namespace {

const std::string OutputDir = std::string(QUELMAR_BINARY_DIR) + "/";

// A sine whose frequency falls from very high to low, with uniform noise.
std::vector<double> NoisyDoppler(std::size_t n) {
    std::vector<double> values(n);
    uint32_t state = 12345;
    for (std::size_t i = 0; i < n; ++i) {
        const double t = (i + 1.0) / n;
        state = state * 1664525u + 1013904223u;
        const double noise = (static_cast<double>(state >> 8) / (1u << 24) - 0.5) * 4;
        values[i] = 40 * std::sqrt(t * (1 - t)) * std::sin(2 * std::numbers::pi * 1.05 / (t + 0.05)) + noise;
    }
    return values;
}

QByteArray ReadFile(const std::string& path) {
    QFile file(QString::fromStdString(path));
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

TEST(ChartSvgExportTest, A513PointChartIsSmallAndDrawsLikeItsBitmap) {
    app::ProgramCharts charts;
    const std::vector<double> values = NoisyDoppler(513);
    charts.Series1().AddArray(values.data(), 512);
    TChart& chart = charts.Chart1();
    // The first paint lays the axes out before they know their length; both
    // exports are drawn after it, as the window's are.
    chart.ChartCreateBitmap(fw::clWhite, chart.GetRectangle());
    const std::string svg = OutputDir + "chart_513.svg";
    const std::string png = OutputDir + "chart_513_beside_svg.png";
    chart.SaveToMetafile(svg);
    chart.SaveToBitmapFile(png);

    const QByteArray data = ReadFile(svg);
    EXPECT_LT(data.size(), 100000);
    // One element per segment or grid dash made some 2,700 of them.
    EXPECT_LT(data.count("<path") + data.count("<polyline"), 200);

    // The metafile leaves out the panel's last column and row.
    const QImage bitmap = QImage(QString::fromStdString(png)).convertToFormat(QImage::Format_RGB32);
    const QSize size(bitmap.width() - 1, bitmap.height() - 1);
    QSvgRenderer renderer(data);
    ASSERT_TRUE(renderer.isValid());
    QImage drawn(size, QImage::Format_RGB32);
    drawn.fill(Qt::white);
    QPainter painter(&drawn);
    renderer.render(&painter, QRectF(QPointF(0, 0), size));
    painter.end();
    // The renderer smooths the steep parts of the two-pixel line; a line,
    // grid or text missing or moved would change thousands of pixels.
    const int allowed = size.width() * size.height() / 200;
    EXPECT_LE(imagetest::CountChangedPixels(drawn, bitmap.copy(QRect(QPoint(0, 0), size)), "svg_513", 120, allowed),
              allowed);
}

}  // namespace
}  // namespace chart::testing
