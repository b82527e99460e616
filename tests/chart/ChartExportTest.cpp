// A chart written out: bitmaps, vector files, the clipboard and the printer.
#include <gtest/gtest.h>

#include <QClipboard>
#include <QFile>
#include <QGuiApplication>
#include <QMimeData>
#include <QPainter>
#include <QSvgRenderer>

#include "ChartTestHost.h"
#include "framework/core/Exceptions.h"
#include "framework/gui/paint/Bitmap.h"
#include "framework/gui/paint/Metafile.h"
#include "framework/gui/paint/Printer.h"

namespace chart::testing {
namespace {

std::string OutputPath(const std::string& name) { return std::string(QUELMAR_BINARY_DIR) + "/chart_export_" + name; }

QByteArray ReadFile(const std::string& path) {
    QFile file(QString::fromStdString(path));
    if (!file.open(QIODevice::ReadOnly)) return {};
    return file.readAll();
}

class ChartExportTest : public ::testing::Test {
protected:
    ChartExportTest() : host(697, 300) {
        SetUpAsProgramChart(chart);
        chart.SetHost(&host);
        chart.AddSeries(series);
        for (int i = 0; i < 20; ++i) series.AddY(i * i);
    }

    // The screen picture, for comparison with what was exported.
    QImage ScreenPicture() {
        chart.Invalidate();
        host.Paint();
        return host.Image().copy();
    }

    OffscreenHost host;
    LoggingChart chart;
    TChartSeries series;
};

TEST_F(ChartExportTest, ABitmapHoldsTheScreenPicture) {
    const QImage screen = ScreenPicture();
    const auto bitmap = chart.ChartCreateBitmap(fw::clWhite, chart.GetRectangle());
    ASSERT_EQ(bitmap->Width(), 697);
    ASSERT_EQ(bitmap->Height(), 300);
    EXPECT_TRUE(bitmap->Image() == screen);
    EXPECT_TRUE(chart.BufferedDisplay()) << "buffering is back on";
    // The picture was drawn elsewhere: the next paint of the window draws again.
    chart.log.clear();
    host.Paint();
    EXPECT_FALSE(chart.log.empty());
}

TEST_F(ChartExportTest, ABitmapOfAnOffsetRectangleStartsAtItsCorner) {
    const auto bitmap = chart.ChartCreateBitmap(fw::clWhite, fw::Rect(100, 50, 400, 250));
    ASSERT_EQ(bitmap->Width(), 300);
    EXPECT_EQ(chart.PanelBounds(), fw::Rect(0, 0, 300, 200));
}

TEST_F(ChartExportTest, BitmapFilesArePngUnlessNamedBmp) {
    const QImage screen = ScreenPicture();
    const std::string png = OutputPath("chart.png");
    chart.SaveToBitmapFile(png);
    EXPECT_TRUE(ReadFile(png).startsWith("\x89PNG"));
    EXPECT_TRUE(QImage(QString::fromStdString(png)).convertToFormat(QImage::Format_RGB32) == screen);

    const std::string bmp = OutputPath("chart.BMP");
    chart.SaveToBitmapFile(bmp);
    EXPECT_TRUE(ReadFile(bmp).startsWith("BM"));
    EXPECT_EQ(QImage(QString::fromStdString(bmp)).size(), QSize(697, 300));
}

TEST_F(ChartExportTest, AFileThatCannotBeWrittenIsAnError) {
    const std::string path = OutputPath("no/such/folder/chart.png");
    try {
        chart.SaveToBitmapFile(path);
        ADD_FAILURE() << "no error";
    } catch (const fw::Exception& e) {
        EXPECT_EQ(e.Message(), "Cannot create file \"" + path + "\"");
    }
    EXPECT_THROW(chart.SaveToMetafile(path), fw::Exception);
    EXPECT_THROW(chart.SaveToMetafileEnh(path), fw::Exception);
}

TEST_F(ChartExportTest, TheSvgDrawingShowsTheChartAtItsPlace) {
    const QImage screen = ScreenPicture();
    const fw::TRect plot = chart.PlotRect();
    const std::string svg = OutputPath("chart.svg");
    chart.SaveToMetafile(svg);
    const QByteArray data = ReadFile(svg);
    ASSERT_TRUE(data.contains("<svg"));
    EXPECT_TRUE(data.contains("viewBox=\"0 0 696 299\""));
    EXPECT_FALSE(data.contains("matrix(0.75")) << "replayed one to one";

    QSvgRenderer renderer(data);
    ASSERT_TRUE(renderer.isValid());
    QImage drawn(696, 299, QImage::Format_RGB32);
    drawn.fill(Qt::magenta);
    QPainter painter(&drawn);
    renderer.render(&painter, QRectF(0, 0, 696, 299));
    painter.end();
    const int y = (plot.Top + plot.Bottom) / 2 + 7;
    EXPECT_LT(qGray(drawn.pixel(plot.Left, y)), 80) << "the back wall's left side";
    EXPECT_GT(qGray(drawn.pixel(plot.Left + 3, y)), 200) << "inside the plot";
    EXPECT_GT(qGray(drawn.pixel(5, 5)), 200) << "the white panel";
    EXPECT_TRUE(chart.CanClip()) << "no longer drawing a vector file";
}

TEST_F(ChartExportTest, EnhancedFormsArePdfAndThePlainRectangleFormIsSvg) {
    const std::string whole = OutputPath("chart.pdf");
    chart.SaveToMetafileEnh(whole);
    EXPECT_TRUE(ReadFile(whole).startsWith("%PDF"));
    const std::string part = OutputPath("chart_rect.pdf");
    chart.SaveToMetafileRect(true, part, fw::Rect(0, 0, 300, 150));
    EXPECT_TRUE(ReadFile(part).startsWith("%PDF"));
    const std::string plain = OutputPath("chart_rect.svg");
    chart.SaveToMetafileRect(false, plain, fw::Rect(0, 0, 300, 150));
    const QByteArray svg = ReadFile(plain);
    EXPECT_FALSE(svg.startsWith("%PDF")) << "a plain metafile is not written as PDF";
    EXPECT_TRUE(svg.contains("<svg"));
    EXPECT_TRUE(chart.ChartCreateMetafile(true, fw::Rect(0, 0, 20, 10))->Enhanced());
    EXPECT_FALSE(chart.ChartCreateMetafile(false, fw::Rect(0, 0, 20, 10))->Enhanced());
}

TEST_F(ChartExportTest, AMetafileIsOnePixelSmallerEachWay) {
    const auto metafile = chart.ChartCreateMetafile(true, fw::Rect(0, 0, 200, 100));
    EXPECT_EQ(metafile->Width(), 199);
    EXPECT_EQ(metafile->Height(), 99);
    const auto tiny = chart.ChartCreateMetafile(false, fw::Rect(0, 0, 1, 0));
    EXPECT_EQ(tiny->Width(), 1);
    EXPECT_EQ(tiny->Height(), 1);
}

TEST_F(ChartExportTest, TheClipboardGetsABitmapOrAnSvgDrawing) {
    chart.CopyToClipboardBitmap();
    EXPECT_EQ(QGuiApplication::clipboard()->image().size(), QSize(697, 300));
    chart.CopyToClipboardMetafile(true);
    const QMimeData* mime = QGuiApplication::clipboard()->mimeData();
    ASSERT_NE(mime, nullptr);
    EXPECT_TRUE(mime->data("image/svg+xml").contains("<svg"));
}

TEST_F(ChartExportTest, PrintingMapsTheChartOntoTheGivenRectangle) {
    const QImage screen = ScreenPicture();
    const fw::TRect plot = chart.PlotRect();
    // Twice the size, at an offset.
    fw::TBitmap page(1600, 800);
    page.Canvas().Brush().SetColor(fw::clFuchsia);
    page.Canvas().FillRect(fw::Rect(0, 0, 1600, 800));
    chart.PrintPartialCanvas(page.Canvas(), fw::Rect(100, 100, 100 + 2 * 697, 100 + 2 * 300));
    EXPECT_FALSE(chart.IsPrinting());
    const QImage& image = page.Image();
    PixelChecks px([&]() -> const QImage& { return page.Image(); }, "printed");
    px.Is(50, 50, fw::clFuchsia, "outside the printed rectangle");
    px.Is(100 + 2 * 697 + 10, 400, fw::clFuchsia, "right of the printed rectangle");
    // The panel background is not printed; the back wall is, at twice the scale.
    const int y = 100 + 2 * ((plot.Top + plot.Bottom) / 2 + 7);
    px.Is(100 + 2 * plot.Left, y, fw::clBlack, "back wall, left side");
    px.IsNot(100 + 2 * plot.Left + 6, y, fw::clBlack, "inside the plot");
    EXPECT_EQ(image.size(), QSize(1600, 800));
}

TEST_F(ChartExportTest, PrintedChartsKeepTheirProportions) {
    fw::TPrinter& printer = fw::Printer();
    printer.SetOrientation(fw::poPortrait);
    const fw::TRect margins = chart.CalcProportionalMargins();
    EXPECT_EQ(margins.Left, 15);
    EXPECT_EQ(margins.Right, 15);
    const fw::TRect r = chart.ChartPrintRect();
    EXPECT_EQ(chart.PrintMargins(), margins);
    ASSERT_GT(r.Height(), 0);
    EXPECT_NEAR(double(r.Width()) / r.Height(), 697.0 / 300.0, 0.002);
    EXPECT_NEAR((r.Left + r.Right) / 2.0, printer.PageWidth() / 2.0, 2);
    EXPECT_NEAR((r.Top + r.Bottom) / 2.0, printer.PageHeight() / 2.0, 2);

    // A tall chart keeps its top and bottom margins instead.
    host.canvas.Surface().Unbind();
    host.window = QImage(200, 500, QImage::Format_RGB32);
    host.canvas.Surface().BindImage(&host.window);
    chart.SetPrintMargins(fw::Rect(15, 15, 15, 15));
    const fw::TRect tall = chart.CalcProportionalMargins();
    EXPECT_EQ(tall.Top, 15);
    EXPECT_EQ(tall.Bottom, 15);
    EXPECT_GT(tall.Left, 15);

    // A nearly square chart at narrow side margins would not fit a landscape
    // page: it keeps those margins above and below instead.
    printer.SetOrientation(fw::poLandscape);
    host.canvas.Surface().Unbind();
    host.window = QImage(500, 480, QImage::Format_RGB32);
    host.canvas.Surface().BindImage(&host.window);
    chart.SetPrintMargins(fw::Rect(5, 15, 5, 15));
    const fw::TRect fitted = chart.ChartPrintRect();
    EXPECT_GE(fitted.Top, 0);
    EXPECT_LE(fitted.Bottom, printer.PageHeight());
    EXPECT_NEAR(double(fitted.Width()) / fitted.Height(), 500.0 / 480.0, 0.002);
    EXPECT_EQ(chart.PrintMargins().Top, 5);
    EXPECT_EQ(chart.PrintMargins().Bottom, 5);
    printer.SetOrientation(fw::poPortrait);
}

TEST_F(ChartExportTest, AFailedExportPutsTheCanvasBack) {
    chart.OnAfterDraw = [](TCustomAxisPanel&) { throw fw::Exception("drawing failed"); };
    EXPECT_THROW(chart.ChartCreateBitmap(fw::clWhite, chart.GetRectangle()), fw::Exception);
    EXPECT_TRUE(chart.BufferedDisplay());
    EXPECT_THROW(chart.ChartCreateMetafile(false, chart.GetRectangle()), fw::Exception);
    EXPECT_TRUE(chart.BufferedDisplay());
    EXPECT_FALSE(chart.Canvas().DrawingToMetafile);
}

TEST_F(ChartExportTest, PrintWritesOneJobAndAFailureAbortsIt) {
    fw::TPrinter& printer = fw::Printer();
    const std::string pdf = OutputPath("printed.pdf");
    printer.SetOutputFileName(pdf);
    chart.SetName("Chart1");
    chart.Print();
    EXPECT_FALSE(printer.Printing());
    EXPECT_EQ(printer.Title, "Chart1");
    EXPECT_TRUE(ReadFile(pdf).startsWith("%PDF"));

    chart.OnAfterDraw = [](TCustomAxisPanel&) { throw fw::Exception("drawing failed"); };
    EXPECT_THROW(chart.PrintLandscape(), fw::Exception);
    EXPECT_FALSE(printer.Printing());
    EXPECT_TRUE(printer.Aborted());
    EXPECT_FALSE(chart.IsPrinting());
    EXPECT_EQ(printer.Orientation(), fw::poPortrait) << "the orientation is put back";
    printer.SetOutputFileName("");
}

}  // namespace
}  // namespace chart::testing
