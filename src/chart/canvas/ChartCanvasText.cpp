// Text and pen state of the chart canvas.
#include <algorithm>

#include "chart/canvas/ChartCanvas3D.h"
#include "framework/core/Rounding.h"
#include "framework/gui/paint/SystemColors.h"

namespace chart {

void TChartCanvas::ResetState() {
    fw::TPen& pen = Pen();
    pen.SetColor(fw::clBlack);
    pen.SetWidth(1);
    pen.SetStyle(fw::psSolid);
    fw::TBrush& brush = Brush();
    brush.SetColor(fw::clWhite);
    brush.SetStyle(fw::bsSolid);
    fw::TFont& font = Font();
    font.SetColor(fw::clBlack);
    font.SetSize(10);
    SetBackColor(fw::clWhite);
    SetBackMode(cbmTransparent);
}

void TChartCanvas::AssignVisiblePen(const TChartPen& pen) {
    fw::TPen& target = Pen();
    if (!pen.Visible()) {
        target.SetStyle(fw::psClear);
        return;
    }
    if (pen.SmallDots() && pen.Width() == 1) {
        target.SetColor(fw::ColorToRGB(pen.Color()));
        target.SetWidth(1);
        target.SetStyle(fw::psAlternate);
        target.SetMode(pen.Mode());
        return;
    }
    target.Assign(pen);
}

int32_t TChartCanvas::TextWidth(const std::string& text) { return target_->TextExtent(text).X; }

int32_t TChartCanvas::TextHeight(const std::string& text) { return target_->TextExtent(text).Y; }

void TChartCanvas3D::TextOut(int32_t x, int32_t y, const std::string& text) { target_->TextOut(x, y, text); }

fw::TLogFont TChartCanvas3D::ZoomedFont(int32_t escapement) const {
    fw::TLogFont font = target_->Handle().Font();
    font.Escapement = escapement;
    if (zoomTextActive_ && scaleFactor_ != 1) {
        const fw::TFont& current = Font();
        const int32_t size = std::max<int32_t>(1, static_cast<int32_t>(fw::Round(current.Size() * scaleFactor_)));
        if (size != current.Size()) font.Height = -fw::MulDiv(size, current.PixelsPerInch(), 72);
    }
    return font;
}

void TChartCanvas3D::TextOut3D(int32_t x, int32_t y, int32_t z, const std::string& text) {
    Calc3DPos(x, y, z);
    fw::TDrawSurface& dc = target_->Handle();
    const fw::TLogFont zoomed = ZoomedFont(dc.Font().Escapement);
    if (zoomed == dc.Font()) {
        dc.TextOut(x, y, text);
        return;
    }
    const fw::TLogFont saved = dc.SelectFont(zoomed);
    dc.TextOut(x, y, text);
    dc.SelectFont(saved);
}

void TChartCanvas3D::RotateLabel(int32_t x, int32_t y, const std::string& text, int32_t angle) {
    if (angle > 360) angle -= 360;
    Brush().SetStyle(fw::bsClear);
    fw::TDrawSurface& dc = target_->Handle();
    const fw::TLogFont saved = dc.SelectFont(ZoomedFont(angle * 10));
    dc.TextOut(x, y, text);
    dc.SelectFont(saved);
}

void TChartCanvas3D::RotateLabel3D(int32_t x, int32_t y, int32_t z, const std::string& text, int32_t angle) {
    Calc3DPos(x, y, z);
    RotateLabel(x, y, text, angle);
}

}  // namespace chart
