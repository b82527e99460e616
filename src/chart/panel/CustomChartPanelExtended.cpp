#include "chart/panel/CustomChartPanelExtended.h"

#include "chart/canvas/ChartCanvas3D.h"
#include "chart/base/ChartSwitches.h"

namespace chart {

TCustomChartPanelExtended::TCustomChartPanelExtended()
    : gradient_(std::make_unique<TChartGradient>([this] { Invalidate(); })),
      backImage_(std::make_unique<fw::TPicture>([this](fw::TPersistent* sender) { CanvasChanged(sender); })) {}

TCustomChartPanelExtended::~TCustomChartPanelExtended() = default;

void TCustomChartPanelExtended::Assign(const TCustomChartPanel& source) {
    TCustomChartPanel::Assign(source);
    const auto* other = dynamic_cast<const TCustomChartPanelExtended*>(&source);
    if (!other) return;
    gradient_->Assign(*other->gradient_);
    backImage_->Assign(*other->backImage_);
    SetBackImageMode(other->backImageMode_);
    allowZoom_ = other->allowZoom_;
    allowPanning_ = other->allowPanning_;
    SetAnimatedZoom(other->animatedZoom_);
    SetAnimatedZoomSteps(other->animatedZoomSteps_);
}

void TCustomChartPanelExtended::UndoZoom() {
    if (OnUndoZoom) OnUndoZoom(*this);
    Invalidate();
    zoomed_ = false;
}

void TCustomChartPanelExtended::PanelPaint(const fw::TRect& rect) {
    FillPanelRect(rect);
    DrawImage(rect);
    if (IsPrinting() && !PrintChartPanel) return;
    TChartCanvas3D& canvas = Canvas();
    fw::TPen& pen = canvas.Pen();
    pen.SetStyle(fw::psSolid);
    pen.SetWidth(1);
    pen.SetMode(fw::pmCopy);
    canvas.Brush().SetStyle(fw::bsClear);
    DrawPanelBevels(rect);
}

void TCustomChartPanelExtended::FillPanelRect(const fw::TRect& rect) {
    TChartCanvas3D& canvas = Canvas();
    if (gradient_->Visible()) {
        const TGradientDirection direction = gradient_->Direction();
        // The canvas lays its first colour at the bottom (right) edge; for the
        // other directions the panel swaps them.
        const bool asGiven = direction == gdTopBottom || direction == gdLeftRight;
        canvas.GradientFill(rect, asGiven ? gradient_->StartColor() : gradient_->EndColor(),
                            asGiven ? gradient_->EndColor() : gradient_->StartColor(), direction);
        return;
    }
    if (IsPrinting() && !PrintChartPanel) return;
    canvas.Brush().SetColor(Color());
    canvas.Brush().SetStyle(fw::bsSolid);
    canvas.EraseBackground(rect);
}

void TCustomChartPanelExtended::DrawImage(const fw::TRect& rect) {
    if (!backImage_->Empty()) DrawBackImage(rect, 0);
}

void TCustomChartPanelExtended::DrawBackImage(const fw::TRect& rect, int32_t z) {
    const QImage& image = backImage_->Image();
    if (image.isNull() || rect.IsEmpty()) return;
    TChartCanvas3D& canvas = Canvas();
    const fw::TPoint topLeft = canvas.Calculate3DPosition(rect.Left, rect.Top, z);
    const fw::TPoint bottomRight = canvas.Calculate3DPosition(rect.Right, rect.Bottom, z);
    const fw::TRect r = fw::Rect(topLeft.X, topLeft.Y, bottomRight.X, bottomRight.Y);
    fw::TDrawSurface& dc = canvas.Handle();
    switch (backImageMode_) {
    case pbmStretch: dc.StretchBlt(r, image); break;
    case pbmCenter: {
        const int32_t x = (r.Left + r.Right - image.width()) / 2;
        const int32_t y = (r.Top + r.Bottom - image.height()) / 2;
        // Only the part of the image that lies inside r.
        fw::TRect inside;
        if (!fw::IntersectRect(inside, r, fw::Rect(x, y, x + image.width(), y + image.height()))) break;
        dc.BitBlt(inside.Left, inside.Top, image,
                  fw::Rect(inside.Left - x, inside.Top - y, inside.Right - x, inside.Bottom - y));
        break;
    }
    case pbmTile:
        for (int32_t y = r.Top; y < r.Bottom; y += image.height()) {
            for (int32_t x = r.Left; x < r.Right; x += image.width()) {
                const int32_t w = std::min(image.width(), r.Right - x);
                const int32_t h = std::min(image.height(), r.Bottom - y);
                dc.BitBlt(x, y, image, fw::Rect(0, 0, w, h));
            }
        }
        break;
    }
}

}  // namespace chart
