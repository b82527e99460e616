#include "app/ChartsPicture.h"

#include <QPainter>
#include <array>
#include <memory>

#include "app/PictureBytes.h"
#include "framework/gui/paint/Bitmap.h"
#include "framework/gui/paint/Metafile.h"
#include "framework/gui/paint/SystemColors.h"

namespace app {
namespace {

struct PlacedChart {
    chart::TChart& chart;
    fw::TRect bounds;
};

std::array<PlacedChart, 2> Placed(ProgramCharts& charts) {
    return {PlacedChart{charts.Chart1(), ProgramCharts::Chart1Bounds},
            PlacedChart{charts.Chart2(), ProgramCharts::Chart2Bounds}};
}

// One vector drawing with both charts drawn into it at their places.
std::unique_ptr<fw::TMetafile> ChartsMetafile(ProgramCharts& charts) {
    auto metafile = std::make_unique<fw::TMetafile>(kChartsPictureBounds.Width(), kChartsPictureBounds.Height());
    fw::TCanvas& canvas = metafile->Canvas();
    canvas.Brush().SetStyle(fw::bsSolid);
    canvas.Brush().SetColor(fw::clBtnFace);
    canvas.FillRect(kChartsPictureBounds);
    for (const PlacedChart& placed : Placed(charts)) placed.chart.DrawToMetaCanvas(canvas, placed.bounds);
    metafile->EndRecording();
    return metafile;
}

}  // namespace

QImage DrawChartsImage(ProgramCharts& charts) {
    QImage image(kChartsPictureBounds.Width(), kChartsPictureBounds.Height(), QImage::Format_RGB32);
    image.fill(fw::ToQColor(fw::clBtnFace));
    QPainter painter(&image);
    for (const PlacedChart& placed : Placed(charts)) {
        const auto bitmap = placed.chart.ChartCreateBitmap(fw::clWhite, placed.chart.GetRectangle());
        painter.drawImage(placed.bounds.Left, placed.bounds.Top, bitmap->Image());
    }
    return image;
}

QByteArray ChartsPictureData(ProgramCharts& charts, PictureFormat format, const std::string& recipe) {
    return PictureBytes(
        format, recipe, [&] { return DrawChartsImage(charts); }, [&](bool) { return ChartsMetafile(charts); });
}

}  // namespace app
