// The framework's picture, metafile, printer and scaled canvas mapping.
#include <gtest/gtest.h>

#include <QFile>
#include <QPainter>
#include <QSvgRenderer>

#include "framework/core/Exceptions.h"
#include "framework/gui/paint/Bitmap.h"
#include "framework/gui/paint/CanvasMapping.h"
#include "framework/gui/paint/Metafile.h"
#include "framework/gui/paint/Picture.h"
#include "framework/gui/paint/Printer.h"

namespace {

std::string OutputPath(const std::string& name) { return std::string(QUELMAR_BINARY_DIR) + "/fw_export_" + name; }

TEST(Picture, TellsItsListenerAboutNewImagesOnly) {
    int changes = 0;
    fw::TPicture picture([&](fw::TPersistent*) { ++changes; });
    EXPECT_TRUE(picture.Empty());
    picture.Clear();
    EXPECT_EQ(changes, 0);
    QImage image(4, 3, QImage::Format_ARGB32);
    image.fill(Qt::red);
    picture.SetImage(image);
    EXPECT_EQ(changes, 1);
    EXPECT_EQ(picture.Width(), 4);
    EXPECT_EQ(picture.Image().format(), QImage::Format_RGB32);

    fw::TPicture copy;
    copy.Assign(picture);
    EXPECT_EQ(copy.Height(), 3);
    picture.Clear();
    EXPECT_EQ(changes, 2);
    EXPECT_TRUE(picture.Empty());
}

TEST(Picture, AFileThatCannotBeReadLeavesTheImage) {
    fw::TPicture picture;
    QImage image(2, 2, QImage::Format_RGB32);
    picture.SetImage(image);
    try {
        picture.LoadFromFile("/no/such/picture.png");
        ADD_FAILURE() << "no error";
    } catch (const fw::EConvertError& e) {
        EXPECT_EQ(e.Message(), "Cannot read the picture file \"/no/such/picture.png\"");
    }
    EXPECT_EQ(picture.Width(), 2);

    const std::string path = OutputPath("picture.png");
    QImage saved(5, 6, QImage::Format_RGB32);
    saved.fill(Qt::blue);
    ASSERT_TRUE(saved.save(QString::fromStdString(path)));
    picture.LoadFromFile(path);
    EXPECT_EQ(picture.Width(), 5);
    EXPECT_EQ(picture.Image().pixel(1, 1), qRgb(0, 0, 255));
}

TEST(Metafile, RecordsThroughItsCanvasAndReplaysOneToOne) {
    fw::TMetafile metafile(100, 50);
    fw::TCanvas& canvas = metafile.Canvas();
    canvas.Pen().SetColor(fw::clRed);
    canvas.Brush().SetStyle(fw::bsClear);
    canvas.Rectangle(10, 10, 60, 40);
    const QByteArray svg = metafile.SvgData();
    ASSERT_TRUE(svg.contains("viewBox=\"0 0 100 50\""));

    QSvgRenderer renderer(svg);
    QImage image(100, 50, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    renderer.render(&painter, QRectF(0, 0, 100, 50));
    painter.end();
    // The renderer smooths the one-pixel side over its neighbour.
    EXPECT_EQ(qRed(image.pixel(10, 25)), 255);
    EXPECT_LT(qGreen(image.pixel(9, 25)) + qGreen(image.pixel(10, 25)), 300) << "the left side, red";
    EXPECT_EQ(image.pixel(30, 25), qRgb(255, 255, 255)) << "the inside, empty";
}

TEST(Metafile, WritesSvgAndPdfFilesAndReportsUnwritableOnes) {
    fw::TMetafile metafile(0, -3);
    EXPECT_EQ(metafile.Width(), 1);
    EXPECT_EQ(metafile.Height(), 1);
    const std::string svg = OutputPath("drawing.svg");
    const std::string pdf = OutputPath("drawing.pdf");
    metafile.SaveToSvgFile(svg);
    metafile.SaveToPdfFile(pdf);
    QFile svgFile(QString::fromStdString(svg));
    ASSERT_TRUE(svgFile.open(QIODevice::ReadOnly));
    EXPECT_TRUE(svgFile.readAll().contains("<svg"));
    QFile pdfFile(QString::fromStdString(pdf));
    ASSERT_TRUE(pdfFile.open(QIODevice::ReadOnly));
    EXPECT_TRUE(pdfFile.readAll().startsWith("%PDF"));
    EXPECT_THROW(metafile.SaveToSvgFile("/no/such/dir/x.svg"), fw::Exception);
    EXPECT_THROW(metafile.SaveToPdfFile("/no/such/dir/x.pdf"), fw::Exception);
}

TEST(CanvasMapping, StretchesTheLogicalRectangleOntoTheViewport) {
    fw::TBitmap bitmap(200, 100);
    fw::TCanvas& canvas = bitmap.Canvas();
    canvas.Brush().SetColor(fw::clWhite);
    canvas.FillRect(fw::Rect(0, 0, 200, 100));
    {
        // Logical 50 x 25 onto (100, 50) - (200, 100): twice each way, offset.
        fw::TCanvasMapping mapping(canvas, 50, 25, fw::Rect(100, 50, 200, 100));
        ASSERT_TRUE(mapping.Active());
        canvas.Brush().SetColor(fw::clBlue);
        canvas.FillRect(fw::Rect(0, 0, 10, 5));
    }
    const QImage& image = bitmap.Image();
    EXPECT_EQ(image.pixel(100, 50), qRgb(0, 0, 255));
    EXPECT_EQ(image.pixel(119, 59), qRgb(0, 0, 255));
    EXPECT_EQ(image.pixel(120, 59), qRgb(255, 255, 255));
    EXPECT_EQ(image.pixel(119, 60), qRgb(255, 255, 255));
    EXPECT_EQ(image.pixel(99, 50), qRgb(255, 255, 255));
    // Afterwards the canvas draws unscaled on its image again.
    canvas.FillRect(fw::Rect(0, 0, 2, 2));
    EXPECT_EQ(bitmap.Image().pixel(1, 1), qRgb(0, 0, 255));
    EXPECT_EQ(bitmap.Image().pixel(2, 2), qRgb(255, 255, 255));
}

TEST(CanvasMapping, ACanvasWithoutTargetIsLeftAlone) {
    fw::TCanvas canvas;
    fw::TCanvasMapping mapping(canvas, 10, 10, fw::Rect(0, 0, 20, 20));
    EXPECT_FALSE(mapping.Active());
}

TEST(Printer, PrintsOneJobAtATimeIntoAPdfFile) {
    fw::TPrinter printer;
    const std::string pdf = OutputPath("job.pdf");
    printer.SetOutputFileName(pdf);
    EXPECT_EQ(printer.OutputFileName(), pdf);
    EXPECT_GT(printer.PageWidth(), 1000);
    EXPECT_GT(printer.PageHeight(), printer.PageWidth());
    printer.SetOrientation(fw::poLandscape);
    EXPECT_GT(printer.PageWidth(), printer.PageHeight());

    printer.Title = "job";
    printer.BeginDoc();
    EXPECT_TRUE(printer.Printing());
    EXPECT_THROW(printer.BeginDoc(), fw::Exception);
    EXPECT_THROW(printer.SetOrientation(fw::poPortrait), fw::Exception);
    printer.Canvas().Rectangle(100, 100, 1000, 1000);
    printer.EndDoc();
    EXPECT_FALSE(printer.Printing());
    EXPECT_THROW(printer.EndDoc(), fw::Exception);
    QFile file(QString::fromStdString(pdf));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_TRUE(file.readAll().startsWith("%PDF"));

    printer.BeginDoc();
    printer.Abort();
    EXPECT_FALSE(printer.Printing());
    EXPECT_TRUE(printer.Aborted());
}

}  // namespace
