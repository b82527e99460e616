#include "chart/panel/CustomChartPanel.h"

#include <algorithm>

#include "chart/canvas/CanvasUtils.h"
#include "chart/canvas/ChartCanvas3D.h"
#include "chart/base/ChartException.h"
#include "chart/base/ChartSwitches.h"
#include "chart/base/ChartTextLines.h"
#include "chart/style/View3DOptions.h"
#include "framework/core/Rounding.h"
#include "framework/gui/paint/Screen.h"
#include "framework/gui/paint/SystemColors.h"

namespace chart {

namespace {

constexpr int32_t MinChart3DPercent = 1;
constexpr int32_t MaxChart3DPercent = 100;

}  // namespace

TCustomChartPanel::TCustomChartPanel()
    : view3DOptions_(std::make_unique<TView3DOptions>([this] { Invalidate(); })),
      panelCanvas_(std::make_unique<TChartCanvas3D>()) {
    panelCanvas_->SetCanvas(&ControlCanvas());
    // Repaint requests count from the end of this level's construction on.
    repaintEnabled_ = true;
}

TCustomChartPanel::~TCustomChartPanel() {
    repaintEnabled_ = false;
    if (host_) host_->SetControl(nullptr);
}

void TCustomChartPanel::Assign(const TCustomChartPanel& source) {
    SetColor(source.color_);
    SetBevelInner(source.bevelInner_);
    SetBevelOuter(source.bevelOuter_);
    SetBevelWidth(source.bevelWidth_);
    SetBorderWidth(source.borderWidth_);
    SetView3D(source.view3D_);
    view3DOptions_->Assign(*source.view3DOptions_);
    SetChart3DPercent(source.chart3DPercent_);
    SetMarginLeft(source.marginLeft_);
    SetMarginTop(source.marginTop_);
    SetMarginRight(source.marginRight_);
    SetMarginBottom(source.marginBottom_);
    SetStackSeriesInDepth(source.stackSeriesInDepth_);
    SetBufferedDisplay(source.BufferedDisplay());
    SetMonochrome(source.Monochrome());
    printProportional_ = source.printProportional_;
    printResolution_ = source.printResolution_;
    printMargins_ = source.printMargins_;
}

// ---- The control ------------------------------------------------------------

void TCustomChartPanel::SetHost(fw::IControlHost* host) {
    if (host == host_) return;
    if (host_) host_->SetControl(nullptr);
    host_ = host;
    repaintRequested_ = false;
    panelCanvas_->SetCanvas(&ControlCanvas());
    panelCanvas_->Invalidate();
    if (host_) {
        host_->SetControl(this);
        host_->SetCursor(cursor_);
    }
}

void TCustomChartPanel::SetBounds(int32_t left, int32_t top, int32_t width, int32_t height) {
    const fw::TRect bounds = fw::Rect(left, top, left + std::max(width, 0), top + std::max(height, 0));
    if (bounds == bounds_) return;
    const bool resized = bounds.Width() != bounds_.Width() || bounds.Height() != bounds_.Height();
    bounds_ = bounds;
    if (resized) Invalidate();
}

fw::TPoint TCustomChartPanel::ClientSize() const {
    return host_ ? host_->ClientSize() : fw::Point(bounds_.Width(), bounds_.Height());
}

void TCustomChartPanel::SetCursor(fw::TCursor value) {
    cursor_ = value;
    if (host_) host_->SetCursor(value);
}

void TCustomChartPanel::Loaded() {
    loading_ = false;
    savedCursor_ = cursor_;
}

void TCustomChartPanel::SetBevelWidth(int32_t value) { SetIntegerProperty(bevelWidth_, std::max(value, 1)); }

void TCustomChartPanel::SetBorderWidth(int32_t value) { SetIntegerProperty(borderWidth_, std::max(value, 0)); }

// ---- Panel settings -------------------------------------------------------------

void TCustomChartPanel::SetChart3DPercent(int32_t value) {
    if (value < MinChart3DPercent || value > MaxChart3DPercent) {
        throw ChartException("3D effect percent must be between " + std::to_string(MinChart3DPercent) + " and " +
                             std::to_string(MaxChart3DPercent));
    }
    SetIntegerProperty(chart3DPercent_, value);
}

bool TCustomChartPanel::BufferedDisplay() const { return panelCanvas_->UseBuffer(); }

void TCustomChartPanel::SetBufferedDisplay(bool value) {
    if (value == BufferedDisplay()) return;
    panelCanvas_->SetUseBuffer(value);
    Invalidate();
}

bool TCustomChartPanel::Monochrome() const { return panelCanvas_->Monochrome(); }

void TCustomChartPanel::SetMonochrome(bool value) {
    if (value == Monochrome()) return;
    panelCanvas_->SetMonochrome(value);
    Invalidate();
}

// ---- Geometry --------------------------------------------------------------------

void TCustomChartPanel::ReCalcWidthHeight() {
    fw::TRect& r = plotRect_;
    const fw::TPoint client = ClientSize();
    if (r.Left < panelBounds_.Left) r.Left = panelBounds_.Left;
    if (r.Top < panelBounds_.Top) r.Top = panelBounds_.Top;
    if (r.Left > r.Right) {
        r.Right = r.Left + 1;
    } else if (r.Left == r.Right) {
        r.Right = r.Left + client.X;
    }
    if (r.Top > r.Bottom) {
        r.Bottom = r.Top + 1;
    } else if (r.Top == r.Bottom) {
        r.Bottom = r.Top + client.Y;
    }
    plotWidth_ = r.Right - r.Left;
    plotHeight_ = r.Bottom - r.Top;
    plotXCenter_ = (r.Left + r.Right) / 2;
    plotYCenter_ = (r.Top + r.Bottom) / 2;
}

// ---- Canvas ------------------------------------------------------------------------

fw::TCanvas& TCustomChartPanel::ControlCanvas() { return host_ ? host_->WindowCanvas() : ownControlCanvas_; }

void TCustomChartPanel::SetInternalCanvas(std::unique_ptr<TChartCanvas3D> canvas) {
    if (!canvas) return;
    canvas->SetCanvas(&ControlCanvas());
    // Taking over the old canvas' setting is not a change to repaint for.
    repaintEnabled_ = false;
    canvas->Assign(*panelCanvas_);
    repaintEnabled_ = true;
    panelCanvas_ = std::move(canvas);
    panelCanvas_->Invalidate();
    Repaint();
}

void TCustomChartPanel::FontCanvas(fw::TFont& font) {
    fw::TFont& canvasFont = panelCanvas_->Font();
    font.SetPixelsPerInch(canvasFont.PixelsPerInch());
    canvasFont.Assign(font);
}

int32_t TCustomChartPanel::MultiLineTextWidth(const std::string& text, int32_t& numLines) {
    return chart::MultiLineTextWidth(*panelCanvas_, text, numLines);
}

void TCustomChartPanel::SetBrushCanvas(fw::TColor color, fw::TBrushStyle style, fw::TColor backColor) {
    if (style != fw::bsSolid && color == backColor) color = backColor == fw::clBlack ? fw::clWhite : fw::clBlack;
    fw::TBrush& brush = panelCanvas_->Brush();
    brush.SetColor(color);
    brush.SetStyle(style);
    // Select the brush now: selecting it later would reset the background
    // mode set below.
    panelCanvas_->Handle();
    if (style == fw::bsSolid) {
        panelCanvas_->SetBackMode(cbmTransparent);
    } else {
        panelCanvas_->SetBackMode(cbmOpaque);
        panelCanvas_->SetBackColor(fw::ColorToRGB(backColor));
    }
}

void TCustomChartPanel::CheckPenWidth(fw::TPen& pen) {
    if (isPrinting_ && pen.Style() != fw::psSolid && pen.Width() == 1) pen.SetWidth(0);
}

bool TCustomChartPanel::CanClip() const {
    if (isPrinting_) return ChartClipWhenPrinting;
    if (panelCanvas_->DrawingToMetafile) return ChartClipWhenMetafiling;
    return true;
}

bool TCustomChartPanel::IsScreenHighColor() const { return fw::ScreenColorDepth() > 14; }

fw::TRect TCustomChartPanel::GetRectangle() const {
    const fw::TPoint size = ClientSize();
    return fw::Rect(0, 0, size.X, size.Y);
}

// ---- Repaints ----------------------------------------------------------------------

void TCustomChartPanel::Paint() {
    repaintRequested_ = false;
    if (isPrinting_) return;
    if (panelCanvas_->ReDrawBitmap()) return;
    Draw(ControlCanvas(), GetRectangle());
}

void TCustomChartPanel::Draw(fw::TCanvas& canvas, const fw::TRect& rect) {
    panelBounds_ = panelCanvas_->InitWindow(&canvas, view3DOptions_.get(), color_, view3D_, rect);
    const int32_t w = panelBounds_.Width();
    const int32_t h = panelBounds_.Height();
    plotRect_ = fw::Rect(panelBounds_.Left + borderWidth_ + fw::MulDiv(marginLeft_, w, 100),
                         panelBounds_.Top + borderWidth_ + fw::MulDiv(marginTop_, h, 100),
                         panelBounds_.Right - borderWidth_ - fw::MulDiv(marginRight_, w, 100),
                         panelBounds_.Bottom - borderWidth_ - fw::MulDiv(marginBottom_, h, 100));
    ReCalcWidthHeight();
    try {
        InternalDraw(panelBounds_);
    } catch (...) {
        // The canvas must not stay on the bitmap, which keeps its invalid state.
        panelCanvas_->UnClipRectangle();
        panelCanvas_->SetCanvas(&ControlCanvas());
        repaintRequested_ = false;
        throw;
    }
    panelCanvas_->ShowImage(&canvas, &ControlCanvas(), rect);
    // The buffer is fresh now: the next change must mark it again.
    repaintRequested_ = false;
}

void TCustomChartPanel::Invalidate() {
    // A series filled point by point asks once a point: until something
    // draws, the request already made serves them all.
    if (!repaintEnabled_ || repaintRequested_) return;
    panelCanvas_->Invalidate();
    if (host_) {
        host_->InvalidateControl();
        repaintRequested_ = true;
    }
}

void TCustomChartPanel::Repaint() {
    if (!repaintEnabled_) return;
    // Without this the paint would copy the buffer, showing the old picture.
    panelCanvas_->Invalidate();
    if (host_) host_->RepaintControl();
}

void TCustomChartPanel::CanvasChanged(fw::TPersistent*) { Invalidate(); }

void TCustomChartPanel::DrawPanelBevels(const fw::TRect& rect) {
    fw::TRect r = rect;
    auto bevel = [&](TPanelBevel kind) {
        if (kind == bvNone) return;
        const fw::TColor first = kind == bvLowered ? fw::clBtnShadow : fw::clBtnHighlight;
        const fw::TColor second = kind == bvRaised ? fw::clBtnShadow : fw::clBtnHighlight;
        panelCanvas_->Frame3D(r, first, second, bevelWidth_);
    };
    bevel(bevelOuter_);
    panelCanvas_->Frame3D(r, color_, color_, borderWidth_);
    bevel(bevelInner_);
}

// ---- Mouse ----------------------------------------------------------------------------

void TCustomChartPanel::DrawZoomRectangle() {
    const fw::TColor rgb = fw::ColorToRGB(color_);
    fw::TPen& pen = panelCanvas_->Pen();
    pen.SetColor(rgb == fw::clWhite ? fw::clBlack : rgb);
    pen.SetMode(fw::pmNotXor);
    pen.SetStyle(fw::psSolid);
    pen.SetWidth(1);
    panelCanvas_->Brush().SetStyle(fw::bsClear);
    panelCanvas_->Rectangle(ZoomState.StartX, ZoomState.StartY, ZoomState.EndX, ZoomState.EndY);
    // Between paints the canvas draws on the window: show it at once.
    if (host_) host_->UpdateWindow();
}

void TCustomChartPanel::MouseDown(fw::TMouseButton button, fw::TShiftState shift, int32_t x, int32_t y) {
    if (OnMouseDown) OnMouseDown(button, shift, x, y);
}

void TCustomChartPanel::MouseMove(fw::TShiftState shift, int32_t x, int32_t y) {
    if (OnMouseMove) OnMouseMove(shift, x, y);
}

void TCustomChartPanel::MouseUp(fw::TMouseButton button, fw::TShiftState shift, int32_t x, int32_t y) {
    if (OnMouseUp) OnMouseUp(button, shift, x, y);
}

// ---- The window's side of the seam ------------------------------------------------

void TCustomChartPanel::HostPaint() {
    if (ChartEraseBack) {
        fw::TCanvas& window = ControlCanvas();
        window.Brush().SetColor(color_);
        window.Brush().SetStyle(fw::bsSolid);
        window.FillRect(GetRectangle());
    }
    Paint();
}

void TCustomChartPanel::HostResized() {
    const fw::TPoint size = ClientSize();
    bounds_.Right = bounds_.Left + size.X;
    bounds_.Bottom = bounds_.Top + size.Y;
    panelCanvas_->Invalidate();
}

void TCustomChartPanel::HostMouseDown(fw::TMouseButton button, fw::TShiftState shift, int32_t x, int32_t y) {
    MouseDown(button, shift, x, y);
}

void TCustomChartPanel::HostMouseMove(fw::TShiftState shift, int32_t x, int32_t y) { MouseMove(shift, x, y); }

void TCustomChartPanel::HostMouseUp(fw::TMouseButton button, fw::TShiftState shift, int32_t x, int32_t y) {
    MouseUp(button, shift, x, y);
}

void TCustomChartPanel::HostMouseLeave() {
    SetCursor(savedCursor_);
    PanState.InProgress = false;
}

void TCustomChartPanel::HostDestroyed() {
    host_ = nullptr;
    panelCanvas_->SetCanvas(&ownControlCanvas_);
    panelCanvas_->Invalidate();
}

}  // namespace chart
