#include "app/ChartsPicture.h"

#include <QBuffer>
#include <QPainter>
#include <array>
#include <string_view>
#include <memory>

#include "framework/core/Exceptions.h"
#include "framework/core/FileReplacement.h"
#include "recipe/PictureRecipe.h"
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

QByteArray PngData(ProgramCharts& charts) {
    QByteArray data;
    QBuffer buffer(&data);
    buffer.open(QIODevice::WriteOnly);
    DrawChartsImage(charts).save(&buffer, "PNG");
    return data;
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
    const auto bytes = [](const std::string& text) {
        return QByteArray(text.data(), static_cast<qsizetype>(text.size()));
    };
    const auto text = [](const QByteArray& data) {
        return std::string(data.constData(), static_cast<std::size_t>(data.size()));
    };
    switch (format) {
    case PictureFormat::Png: {
        const QByteArray png = PngData(charts);
        return recipe.empty() ? png : bytes(recipe::EmbedInPng(text(png), recipe));
    }
    case PictureFormat::Svg: {
        const QByteArray svg = ChartsMetafile(charts)->SvgData();
        return recipe.empty() ? svg : bytes(recipe::EmbedInSvg(text(svg), recipe));
    }
    case PictureFormat::Pdf:
        return ChartsMetafile(charts)->PdfData(recipe.empty() ? QByteArray() : bytes(recipe::XmpPacket(recipe)));
    }
    return {};
}

void SaveChartsPicture(ProgramCharts& charts, const std::string& fileName, PictureFormat format,
                       const std::string& recipe) {
    const QByteArray data = ChartsPictureData(charts, format, recipe);
    // Written as the sample files are: whole or not at all, through links.
    fw::ReplaceFileWith(fileName, std::string_view(data.constData(), static_cast<std::size_t>(data.size())));
}

}  // namespace app
