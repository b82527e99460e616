#pragma once
// The framework canvas: a drawing surface with its own pen, brush and font
// objects. Changing those objects changes what the surface has selected; the
// selection is brought up to date when Handle() is asked for, so any number of
// changes between two drawing calls cost one selection.

#include <span>
#include <string>

#include "framework/core/Geometry.h"
#include "framework/gui/paint/Brush.h"
#include "framework/gui/paint/DrawSurface.h"
#include "framework/gui/paint/Font.h"
#include "framework/gui/paint/Pen.h"

namespace fw {

class TBitmap;

class TCanvas {
public:
    TCanvas();
    TCanvas(const TCanvas&) = delete;
    TCanvas& operator=(const TCanvas&) = delete;

    TPen& Pen() { return pen_; }
    TBrush& Brush() { return brush_; }
    TFont& Font() { return font_; }

    // The surface with the canvas' pen, brush and font selected.
    // Selecting the brush also sets the surface's background: its colour,
    // opaque for a solid brush and transparent otherwise. The selection is
    // made at the next Handle(), so a background mode set on the surface
    // after a brush change and before that call gives way to the brush.
    TDrawSurface& Handle() {
        if (penDirty_ | brushDirty_ | fontDirty_) SelectObjects();
        return surface_;
    }
    // The surface as it is, for binding it to a target.
    TDrawSurface& Surface() { return surface_; }

    void MoveTo(int32_t x, int32_t y) { Handle().MoveTo(x, y); }
    void LineTo(int32_t x, int32_t y) { Handle().LineTo(x, y); }
    TPoint PenPos() const { return surface_.CurrentPosition(); }

    void Rectangle(int32_t x0, int32_t y0, int32_t x1, int32_t y1) { Handle().Rectangle(x0, y0, x1, y1); }
    void Rectangle(const TRect& r) { Rectangle(r.Left, r.Top, r.Right, r.Bottom); }
    // The brush over r, without outline.
    void FillRect(const TRect& r) { Handle().PatBlt(r); }
    void Ellipse(int32_t x0, int32_t y0, int32_t x1, int32_t y1) { Handle().Ellipse(x0, y0, x1, y1); }
    void RoundRect(int32_t x0, int32_t y0, int32_t x1, int32_t y1, int32_t cw, int32_t ch) {
        Handle().RoundRect(x0, y0, x1, y1, cw, ch);
    }
    void Arc(int32_t x0, int32_t y0, int32_t x1, int32_t y1, int32_t xs, int32_t ys, int32_t xe, int32_t ye) {
        Handle().Arc(x0, y0, x1, y1, xs, ys, xe, ye);
    }
    void Pie(int32_t x0, int32_t y0, int32_t x1, int32_t y1, int32_t xs, int32_t ys, int32_t xe, int32_t ye) {
        Handle().Pie(x0, y0, x1, y1, xs, ys, xe, ye);
    }
    void Polygon(std::span<const TPoint> points) { Handle().Polygon(points); }
    void Polyline(std::span<const TPoint> points) { Handle().Polyline(points); }
    void SetPixel(int32_t x, int32_t y, TColor color);
    TColor Pixel(int32_t x, int32_t y) const { return surface_.GetPixel(x, y); }

    // Text in the canvas font and its colour, with the surface's alignment.
    void TextOut(int32_t x, int32_t y, const std::string& text) { Handle().TextOut(x, y, text); }
    TPoint TextExtent(const std::string& text) { return Handle().TextExtent(text); }
    int32_t TextWidth(const std::string& text) { return TextExtent(text).X; }
    int32_t TextHeight(const std::string& text) { return TextExtent(text).Y; }

    // The whole bitmap with its top-left at (x, y), or scaled into r.
    void Draw(int32_t x, int32_t y, const TBitmap& bitmap);
    void StretchDraw(const TRect& r, const TBitmap& bitmap);

private:
    void SelectObjects();

    TPen pen_;
    TBrush brush_;
    TFont font_;
    TDrawSurface surface_;
    bool penDirty_ = true;
    bool brushDirty_ = true;
    bool fontDirty_ = true;
};

}  // namespace fw
