// Export of a chart: bitmaps (PNG or BMP files, the clipboard) and vector
// drawings (SVG and PDF files, SVG on the clipboard).
#include <algorithm>

#include "chart/canvas/ChartCanvas3D.h"
#include "chart/panel/CustomChartPanel.h"
#include "framework/core/ScopeExit.h"
#include "framework/gui/paint/Bitmap.h"
#include "framework/gui/paint/Metafile.h"

namespace chart {

void TCustomChartPanel::DrawUnbuffered(fw::TCanvas& canvas, const fw::TRect& rect) {
    const bool buffered = panelCanvas_->UseBuffer();
    panelCanvas_->SetUseBuffer(false);
    const fw::ScopeExit restore([&] { panelCanvas_->SetUseBuffer(buffered); });
    Draw(canvas, rect);
}

std::unique_ptr<fw::TBitmap> TCustomChartPanel::ChartCreateBitmap(fw::TColor backColor, const fw::TRect& rect) {
    auto bitmap = std::make_unique<fw::TBitmap>(rect.Width(), rect.Height());
    // The chart is drawn from the bitmap's corner whatever rect's offset.
    const fw::TRect area = fw::Rect(0, 0, bitmap->Width(), bitmap->Height());
    fw::TCanvas& canvas = bitmap->Canvas();
    canvas.Brush().SetStyle(fw::bsSolid);
    canvas.Brush().SetColor(backColor);
    canvas.FillRect(area);
    DrawUnbuffered(canvas, area);
    return bitmap;
}

void TCustomChartPanel::SaveToBitmapFile(const std::string& fileName) {
    const auto bitmap = ChartCreateBitmap(fw::clWhite, GetRectangle());
    bitmap->SaveToFile(fileName);
}

void TCustomChartPanel::CopyToClipboardBitmap() {
    const auto bitmap = ChartCreateBitmap(fw::clWhite, GetRectangle());
    bitmap->CopyToClipboard();
}

void TCustomChartPanel::DrawToMetaCanvas(fw::TCanvas& canvas, const fw::TRect& rect) {
    panelCanvas_->DrawingToMetafile = true;
    const fw::ScopeExit restore([&] { panelCanvas_->DrawingToMetafile = false; });
    DrawUnbuffered(canvas, rect);
}

// Both kinds hold the same vector drawing; the format is chosen when it is
// written out.
std::unique_ptr<fw::TMetafile> TCustomChartPanel::ChartCreateMetafile(bool enhanced, const fw::TRect& rect) {
    auto metafile = std::make_unique<fw::TMetafile>(std::max(1, rect.Width() - 1), std::max(1, rect.Height() - 1));
    metafile->SetEnhanced(enhanced);
    DrawToMetaCanvas(metafile->Canvas(), fw::Rect(0, 0, rect.Width(), rect.Height()));
    metafile->EndRecording();
    return metafile;
}

void TCustomChartPanel::SaveToMetafile(const std::string& fileName) {
    ChartCreateMetafile(false, GetRectangle())->SaveToSvgFile(fileName);
}

void TCustomChartPanel::SaveToMetafileEnh(const std::string& fileName) {
    ChartCreateMetafile(true, GetRectangle())->SaveToPdfFile(fileName);
}

void TCustomChartPanel::SaveToMetafileRect(bool enhanced, const std::string& fileName, const fw::TRect& rect) {
    ChartCreateMetafile(enhanced, rect)->SaveToFile(fileName);
}

void TCustomChartPanel::CopyToClipboardMetafile(bool enhanced) {
    ChartCreateMetafile(enhanced, GetRectangle())->CopyToClipboard();
}

}  // namespace chart
