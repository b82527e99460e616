#pragma once
// The drawing surface: a device context in the manner the chart was written
// for. It keeps a current pen, brush and font, a current position, text
// alignment, background mode and colour and a clip region, and draws lines,
// shapes, text and images with the usual pixel rules: a line leaves out its
// end pixel, a rectangle leaves out its right column and bottom row.
//
// Targets: an RGB32 image (what bitmaps hold), or any active QPainter (a PDF
// or SVG generator, a printer, a window). On an image, one and two pixel lines
// and solid fills are written straight into memory by our own rasteriser;
// everything else, and everything on a painter target, is drawn by QPainter
// with antialiasing off. Text is measured and drawn by Qt's font engine.
// On a vector target (a picture, SVG or PDF) solid copy-mode lines are
// gathered into one path until anything else is drawn, the clip changes or
// the surface is flushed, so that a line of many segments is one element.

#include <QFont>
#include <QFontMetrics>
#include <QImage>
#include <QPainter>
#include <QRegion>
#include <functional>
#include <memory>
#include <span>
#include <string>

#include "framework/core/Geometry.h"
#include "framework/gui/paint/DeviceObjects.h"
#include "framework/gui/paint/LineBatch.h"
#include "framework/gui/paint/LineRasterizer.h"

namespace fw {

struct TTextMetrics {
    int32_t Ascent = 0;
    int32_t Descent = 0;
    int32_t Height() const { return Ascent + Descent; }
};

class TDrawSurface {
public:
    TDrawSurface() = default;
    ~TDrawSurface();
    TDrawSurface(const TDrawSurface&) = delete;
    TDrawSurface& operator=(const TDrawSurface&) = delete;

    // Retargeting keeps the selected objects, position and modes; the clip
    // region is removed.
    void BindImage(QImage* image);  // converted to RGB32 when it is not
    void BindPainter(QPainter* painter);
    void Unbind();
    bool HasTarget() const { return image_ || external_; }
    QImage* TargetImage() const { return image_; }
    // The painter of a painter target (none on an image).
    QPainter* TargetPainter() const { return external_; }

    // A monochrome surface draws every colour as black or white, whichever
    // is nearer, and text without antialiasing.
    void SetMonochrome(bool value);
    bool Monochrome() const { return monochrome_; }

    // Selection: each answers what was selected before.
    TDevicePen SelectPen(const TDevicePen& pen);
    TDeviceBrush SelectBrush(const TDeviceBrush& brush);
    TLogFont SelectFont(const TLogFont& font);
    const TDevicePen& Pen() const { return pen_; }
    const TDeviceBrush& Brush() const { return brush_; }
    const TLogFont& Font() const { return font_; }

    TColor SetTextColor(TColor rgb);
    TColor TextColor() const { return textColor_; }
    TColor SetBkColor(TColor rgb);
    TColor BkColor() const { return bkColor_; }
    int32_t SetBkMode(int32_t mode);  // bkTransparent or bkOpaque; others refused
    int32_t BkMode() const { return bkMode_; }
    uint32_t SetTextAlign(uint32_t flags);
    uint32_t TextAlign() const { return textAlign_; }

    // Lines.
    void MoveTo(int32_t x, int32_t y) { position_ = {x, y}; }
    TPoint CurrentPosition() const { return position_; }
    void LineTo(int32_t x, int32_t y) {
        // The chart's most frequent call: a two-pixel copy-mode segment on an
        // image, inline down to the rasteriser.
        if (wideCopyPen_ && ImageReady()) {
            RasterWideLine2(raster_, position_.X, position_.Y, x, y, penArgb_, pmCopy);
            position_ = {x, y};
            return;
        }
        LineToAnyPen(x, y);
    }
    // A polyline through the points, each segment leaving out its end pixel.
    void Polyline(std::span<const TPoint> points);

    // Filled shapes: outline with the pen, interior with the brush; the pen's
    // raster mode applies to both.
    void Rectangle(int32_t x0, int32_t y0, int32_t x1, int32_t y1);
    void Ellipse(int32_t x0, int32_t y0, int32_t x1, int32_t y1);
    void RoundRect(int32_t x0, int32_t y0, int32_t x1, int32_t y1, int32_t cornerWidth, int32_t cornerHeight);
    // Counter-clockwise from the ray towards (xs, ys) to the ray towards (xe, ye).
    void Arc(int32_t x0, int32_t y0, int32_t x1, int32_t y1, int32_t xs, int32_t ys, int32_t xe, int32_t ye);
    void Pie(int32_t x0, int32_t y0, int32_t x1, int32_t y1, int32_t xs, int32_t ys, int32_t xe, int32_t ye);
    void Polygon(std::span<const TPoint> points);  // alternate fill, closed outline

    // The brush over r, no outline, whatever the pen mode.
    void PatBlt(const TRect& r);
    void SetPixel(int32_t x, int32_t y, TColor rgb);
    // The pixel's RGB, or clNone outside the image or on a painter target.
    TColor GetPixel(int32_t x, int32_t y) const;

    // Text at the reference point with the current alignment, text colour,
    // background mode and the font's escapement.
    void TextOut(int32_t x, int32_t y, const std::string& text);
    // Width (advance) and height (ascent + descent) of text in the current
    // font; (0, 0) without a target.
    TPoint TextExtent(const std::string& text) const;
    TTextMetrics TextMetrics() const;

    // Copies a block of source (source copy) with its top-left at (x, y).
    void BitBlt(int32_t x, int32_t y, const QImage& source, const TRect& sourceRect);
    void StretchBlt(const TRect& dest, const QImage& source);

    // Clipping: a rectangle or a polygon (alternate fill) replaces the clip
    // region; RemoveClip leaves none.
    void SelectClipRect(const TRect& r);
    void SelectClipPolygon(std::span<const TPoint> points);
    void RemoveClip();
    bool HasClip() const { return clipKind_ != ClipKind::None; }
    // The clip region's bounding box, or the whole target without one.
    TRect ClipBox() const;

    // Draws the lines gathered for a vector target and ends the surface's
    // own painter on its image, so that others may paint there (or change
    // the painter's transform); the next drawing call starts a new one.
    void Flush();

private:
    enum class ClipKind { None, Rect, Region };
    struct FontCache {
        QFont Font;
        QFontMetrics Metrics;
    };

    // An image target that may be written now: when someone else shares its
    // pixels (a copy of the image), the surface takes pixels of its own first.
    bool ImageReady() {
        if (!imageValid_) return false;
        if (!image_->isDetached()) TakeOwnPixels();
        return true;
    }
    void TakeOwnPixels();
    void LineToAnyPen(int32_t x, int32_t y);
    QPainter* BeginPainter();
    void EndOwnPainter();
    void RefreshImageAccess();
    // Runs draw with the painter set up for this surface: no antialiasing,
    // the raster mode, clip region and background. The gathered lines are
    // drawn first, so that everything keeps its drawing order.
    void WithPainter(QPainter::CompositionMode mode, const std::function<void(QPainter&)>& draw);
    // Draws segment with pen: gathered on a vector target when the pen is a
    // solid copy-mode one, else at once. A straight segment is a one-pixel
    // line along a row or column from pixel edge to pixel edge.
    void PainterSegment(const QPen& pen, const QLineF& segment, bool straight);
    void DrawGathered();
    QPen MakeQPen() const;
    QBrush MakeQBrush() const;
    const FontCache& Fonts() const;
    uint32_t DrawColor(TColor rgb) const;  // 0xFFRRGGBB after the monochrome mapping
    bool PenDraws() const { return pen_.Style != psClear && pen_.Mode != pmNop; }
    bool BrushFills() const { return brush_.Pattern || brush_.Style != bsClear; }
    bool RasterOutlines();
    void RasterPath(std::span<const TPoint> points, bool closed);
    void FillInterior(const TRect& r);
    // One-pixel outlines on a painter target: straight segments as one
    // pixel wide strokes along whole pixels, slanted ones through pixel
    // centres; the dash pattern runs on across the segments.
    void PainterThinPath(std::span<const TPoint> points, bool closed);
    uint64_t PainterThinSegment(TPoint a, TPoint b, uint64_t phase);
    // The painter's pixels that can show, in drawing coordinates, with a
    // pixel to spare at each edge.
    TRect PainterVisibleBox(const QPainter& p) const;
    void ArcOrPie(bool pie, int32_t x0, int32_t y0, int32_t x1, int32_t y1, int32_t xs, int32_t ys, int32_t xe,
                  int32_t ye);

    QImage* image_ = nullptr;
    QPainter* external_ = nullptr;
    QRect externalArea_;  // the painter device's pixels; empty when it has no edges
    std::unique_ptr<QPainter> own_;
    bool gathersLines_ = false;  // a vector painter target
    TLineBatch gathered_;
    TRasterImage raster_;

    TDevicePen pen_;
    uint32_t penArgb_ = 0xFF000000u;  // the pen colour as drawn
    bool wideCopyPen_ = false;        // a visible two-pixel pen in copy mode
    bool imageValid_ = false;         // an image target with pixels
    TDeviceBrush brush_;
    TLogFont font_;
    TColor textColor_ = clBlack;
    TColor bkColor_ = clWhite;
    int32_t bkMode_ = bkOpaque;
    uint32_t textAlign_ = TA_LEFT | TA_TOP;
    TPoint position_;
    bool monochrome_ = false;

    ClipKind clipKind_ = ClipKind::None;
    TRect clipRect_;
    QRegion clipRegion_;
    QImage clipMask_;
    mutable std::unique_ptr<FontCache> fontCache_;
};

}  // namespace fw
