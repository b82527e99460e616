// --plot: the picture is the program's own two charts after the same steps,
// in one image laid out as in the window, as PNG, SVG or PDF, drawn with no
// display. On a difference the picture and a diff image go to the build folder.
#include <gtest/gtest.h>

#include <QFile>
#include <QImage>
#include <QPainter>
#include <QProcess>
#include <QProcessEnvironment>
#include <QRegularExpression>
#include <QSvgRenderer>
#include <algorithm>
#include <cstdlib>
#include <sstream>
#include <string>
#include <vector>

#include "GoldenImage.h"
#include "analysis/session/AnalysisSession.h"
#include "app/ChartsPicture.h"
#include "app/ProgramCharts.h"
#include "BatchTestRun.h"
#include "batch/BatchCommand.h"
#include "framework/gui/paint/Bitmap.h"
#include "framework/gui/paint/SystemColors.h"
#include "RecordingSinks.h"
#include "TempFolder.h"

namespace batch {
namespace {

using analysis::test::TempFolder;
using namespace batch::test;

QImage Picture(const std::string& path) {
    return QImage(QString::fromStdString(path)).convertToFormat(QImage::Format_RGB32);
}

QByteArray Bytes(const std::string& path) {
    QFile file(QString::fromStdString(path));
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// The window's charts driven the window's way: Load, Decompose, each
// threshold on its view item, then the chosen item viewed (the lower chart is
// taken now, as Reconstruct empties it) and Reconstruct (the upper chart).
QImage WindowCharts(const std::string& file, const std::string& count, int32_t levels,
                    const std::vector<std::string>& thresholds, int32_t plotLevel) {
    app::ProgramCharts charts;
    analysis::test::CallLog log;
    analysis::test::RecordingControls controls{log};
    analysis::AnalysisSession session(charts.Series1(), charts.Series2(), charts.Series3(), controls);
    session.Load(count, file);
    session.Decompose(levels - 1);
    for (std::size_t item = 0; item < thresholds.size(); ++item) {
        if (thresholds[item].empty()) continue;
        session.SelectViewLevel(static_cast<int32_t>(item));
        session.ApplyThreshold(static_cast<int32_t>(item), thresholds[item]);
    }
    session.SelectViewLevel(plotLevel - 1);
    const auto lower = charts.Chart2().ChartCreateBitmap(fw::clWhite, charts.Chart2().GetRectangle());
    session.Reconstruct();
    const auto upper = charts.Chart1().ChartCreateBitmap(fw::clWhite, charts.Chart1().GetRectangle());

    QImage image(app::kChartsPictureBounds.Width(), app::kChartsPictureBounds.Height(), QImage::Format_RGB32);
    image.fill(fw::ToQColor(fw::clBtnFace));
    QPainter painter(&image);
    painter.drawImage(app::ProgramCharts::Chart1Bounds.Left, app::ProgramCharts::Chart1Bounds.Top, upper->Image());
    painter.drawImage(app::ProgramCharts::Chart2Bounds.Left, app::ProgramCharts::Chart2Bounds.Top, lower->Image());
    return image;
}

// Each block of size x size pixels as one pixel of their mean colour.
QImage BlockMeans(const QImage& image, int size) {
    QImage means(image.width() / size, image.height() / size, QImage::Format_RGB32);
    for (int by = 0; by < means.height(); ++by) {
        for (int bx = 0; bx < means.width(); ++bx) {
            int r = 0, g = 0, b = 0;
            for (int y = by * size; y < (by + 1) * size; ++y) {
                for (int x = bx * size; x < (bx + 1) * size; ++x) {
                    const QRgb p = image.pixel(x, y);
                    r += qRed(p);
                    g += qGreen(p);
                    b += qBlue(p);
                }
            }
            const int n = size * size;
            means.setPixel(bx, by, qRgb(r / n, g / n, b / n));
        }
    }
    return means;
}

// Pixels of exactly this colour inside bounds.
int CountColour(const QImage& image, const fw::TRect& bounds, QRgb colour) {
    int count = 0;
    for (int y = bounds.Top; y < bounds.Bottom; ++y) {
        for (int x = bounds.Left; x < bounds.Right; ++x) count += image.pixel(x, y) == colour;
    }
    return count;
}

void ExpectSamePicture(const QImage& actual, const QImage& expected, const std::string& name, int tolerance = 0,
                       int allowed = 0) {
    golden::ExpectSamePicture(actual, expected, "batch_plot_" + name, tolerance, allowed);
}

TEST(BatchPlot, APngIsTheWindowsChartsAfterTheSameSteps) {
    struct Case {
        std::string name;
        std::vector<std::string> options;
        std::string file;
        std::string count;
        int32_t levels;
        std::vector<std::string> thresholds;  // per view item, "" for none
        int32_t plotLevel;
    };
    const std::vector<Case> cases = {
        {"doppler_level2",
         {"--levels", "3", "--threshold", "10", "--plot-level", "2"},
         "doppler_noisy_513.dat",
         "513",
         3,
         {"10", "10", "10"},
         2},
        // The approximation of four levels, itself thresholded.
        {"chirp_approximation",
         {"--levels=4", "--threshold", "1=0.75", "--threshold", "5=3", "--plot-level=5"},
         "chirp_noisy_1025.dat",
         "1025",
         4,
         {"0.75", "", "", "", "3"},
         5},
        // The default: view item 1 of the deepest decomposition.
        {"blocks_default",
         {"--threshold", "0.5"},
         "blocks_257.dat",
         "257",
         8,
         {"0.5", "0.5", "0.5", "0.5", "0.5", "0.5", "0.5", "0.5"},
         1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const TempFolder folder;
        const std::string picture = folder.PathOf("charts.png");
        std::vector<std::string> arguments = c.options;
        arguments.insert(arguments.end(), {"--plot", picture, SampleFile(c.file), folder.PathOf("out.dat")});
        const Outcome outcome = RunCommand(arguments);
        ASSERT_EQ(outcome.code, kExitDone) << outcome.errors;
        const QImage drawn = Picture(picture);
        ASSERT_FALSE(drawn.isNull()) << "no picture written";
        const QImage window = WindowCharts(SampleFile(c.file), c.count, c.levels, c.thresholds, c.plotLevel);
        ExpectSamePicture(drawn, window, c.name);
        // The rows between the charts are the window's, not a chart's.
        EXPECT_EQ(drawn.pixel(300, 301), fw::ToQColor(fw::clBtnFace).rgb());
        // The lines themselves: the red reconstruction above, the green level below.
        EXPECT_GT(CountColour(drawn, app::ProgramCharts::Chart1Bounds, qRgb(255, 0, 0)), 1000);
        EXPECT_GT(CountColour(drawn, app::ProgramCharts::Chart2Bounds, qRgb(0, 128, 0)), 1000);
    }
}

TEST(BatchPlot, SvgAndPdfHoldTheSameChartsAsVectorDrawings) {
    const TempFolder folder;
    const std::vector<std::string> common = {"--levels",
                                             "3",
                                             "--threshold",
                                             "10",
                                             "--plot-level",
                                             "2",
                                             SampleFile("doppler_noisy_513.dat"),
                                             folder.PathOf("out.dat")};
    auto run = [&](const std::string& picture) {
        std::vector<std::string> arguments = {"--plot", folder.PathOf(picture)};
        arguments.insert(arguments.end(), common.begin(), common.end());
        const Outcome outcome = RunCommand(arguments);
        EXPECT_EQ(outcome.code, kExitDone) << outcome.errors;
        return Bytes(folder.PathOf(picture));
    };
    run("charts.png");
    const QImage raster = Picture(folder.PathOf("charts.png"));

    // Upper-case extensions name the same formats.
    const QByteArray svg = run("charts.SVG");
    const int w = app::kChartsPictureBounds.Width();
    const int h = app::kChartsPictureBounds.Height();
    ASSERT_TRUE(svg.contains("viewBox=\"0 0 " + QByteArray::number(w) + " " + QByteArray::number(h) + "\""));
    QSvgRenderer renderer(svg);
    ASSERT_TRUE(renderer.isValid());
    QImage rendered(w, h, QImage::Format_RGB32);
    rendered.fill(Qt::magenta);
    QPainter painter(&rendered);
    renderer.render(&painter, QRectF(0, 0, w, h));
    painter.end();
    // The renderer smooths lines and text, which the bitmap does not; over
    // blocks of 4 x 4 pixels the two must agree.
    ExpectSamePicture(BlockMeans(rendered, 4), BlockMeans(raster, 4), "svg", 40, w * h / 16 / 100);

    const QByteArray pdf = run("charts.pdf");
    EXPECT_TRUE(pdf.startsWith("%PDF-"));
    EXPECT_TRUE(pdf.trimmed().endsWith("%%EOF"));
    // One page of the picture's size at the drawing's resolution, 96 dpi, in
    // whole points.
    const QRegularExpressionMatch box =
        QRegularExpression(R"(/MediaBox \[0 0 ([0-9.]+) ([0-9.]+)\])").match(QString::fromLatin1(pdf));
    ASSERT_TRUE(box.hasMatch());
    EXPECT_NEAR(box.captured(1).toDouble(), w * 72.0 / 96, 0.5);
    EXPECT_NEAR(box.captured(2).toDouble(), h * 72.0 / 96, 0.5);
    EXPECT_EQ(pdf.count("/Type /Page\n") + pdf.count("/Type /Page\r") + pdf.count("/Type /Page/"), 1);
}

TEST(BatchPlot, TheProgramDrawsWithNoDisplayAndNoPlatformSet) {
    const TempFolder folder;
    const std::vector<std::string> options = {
        "--levels", "2", "--plot-level", "3", SampleFile("blocks_257.dat"), folder.PathOf("out.dat")};
    std::vector<std::string> inProcess = {"--plot", folder.PathOf("here.png")};
    inProcess.insert(inProcess.end(), options.begin(), options.end());
    ASSERT_EQ(RunCommand(inProcess).code, kExitDone);

    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    for (const char* name : {"QT_QPA_PLATFORM", "DISPLAY", "WAYLAND_DISPLAY"}) environment.remove(name);
    // The platform keeps allocations for the process's life.
    environment.insert("ASAN_OPTIONS", "detect_leaks=0");
    QProcess program;
    program.setProcessEnvironment(environment);
    QStringList arguments = {"--plot", QString::fromStdString(folder.PathOf("there.png"))};
    for (const std::string& option : options) arguments << QString::fromStdString(option);
    program.start(QUELMAR_BATCH_PROGRAM, arguments);
    ASSERT_TRUE(program.waitForFinished(120000));
    EXPECT_EQ(program.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(program.exitCode(), kExitDone) << program.readAllStandardError().toStdString();
    ExpectSamePicture(Picture(folder.PathOf("there.png")), Picture(folder.PathOf("here.png")), "no_display");
}

TEST(BatchPlot, APictureThatCannotBeWrittenIsAnErrorAfterTheResult) {
    const TempFolder folder;
    const std::string picture = folder.PathOf("missing/charts.png");
    const std::string output = folder.PathOf("out.dat");
    const Outcome outcome = RunCommand({"--plot", picture, SampleFile("blocks_257.dat"), output});
    EXPECT_EQ(outcome.code, kExitAnalysisFailed);
    const std::string expected =
        "quelmar-batch: \"" + SampleFile("blocks_257.dat") + "\": Cannot save file \"" + picture + "\": ";
    EXPECT_EQ(outcome.errors.substr(0, expected.size()), expected) << outcome.errors;
    EXPECT_TRUE(QFile::exists(QString::fromStdString(output)));
}

}  // namespace
}  // namespace batch
