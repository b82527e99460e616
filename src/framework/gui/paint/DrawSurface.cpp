#include "framework/gui/paint/DrawSurface.h"

#include <QPaintEngine>
#include <QPicture>
#include <QPolygon>
#include <algorithm>
#include <cmath>
#include <numbers>

#include "framework/gui/paint/SystemColors.h"

namespace fw {

namespace {

QPainter::CompositionMode CompositionOf(TPenMode mode) {
    switch (mode) {
    case pmBlack: return QPainter::RasterOp_ClearDestination;
    case pmWhite: return QPainter::RasterOp_SetDestination;
    case pmNot: return QPainter::RasterOp_NotDestination;
    case pmNotCopy: return QPainter::RasterOp_NotSource;
    case pmMergePenNot: return QPainter::RasterOp_SourceOrNotDestination;
    case pmMaskPenNot: return QPainter::RasterOp_SourceAndNotDestination;
    case pmMergeNotPen: return QPainter::RasterOp_NotSourceOrDestination;
    case pmMaskNotPen: return QPainter::RasterOp_NotSourceAndDestination;
    case pmMerge: return QPainter::RasterOp_SourceOrDestination;
    case pmNotMerge: return QPainter::RasterOp_NotSourceAndNotDestination;
    case pmMask: return QPainter::RasterOp_SourceAndDestination;
    case pmNotMask: return QPainter::RasterOp_NotSourceOrNotDestination;
    case pmXor: return QPainter::RasterOp_SourceXorDestination;
    case pmNotXor: return QPainter::RasterOp_NotSourceXorDestination;
    case pmNop:
    case pmCopy: break;
    }
    return QPainter::CompositionMode_SourceOver;
}

Qt::BrushStyle HatchOf(TBrushStyle style) {
    switch (style) {
    case bsSolid: return Qt::SolidPattern;
    case bsHorizontal: return Qt::HorPattern;
    case bsVertical: return Qt::VerPattern;
    case bsFDiagonal: return Qt::FDiagPattern;
    case bsBDiagonal: return Qt::BDiagPattern;
    case bsCross: return Qt::CrossPattern;
    case bsDiagCross: return Qt::DiagCrossPattern;
    case bsClear: break;
    }
    return Qt::NoBrush;
}

QColor QColorOfArgb(uint32_t argb) { return QColor::fromRgb(argb); }

TRect Normalized(int32_t x0, int32_t y0, int32_t x1, int32_t y1) {
    return {std::min(x0, x1), std::min(y0, y1), std::max(x0, x1), std::max(y0, y1)};
}

QRect ToQRect(const TRect& r) { return QRect(r.Left, r.Top, r.Width(), r.Height()); }

// Pen widths above one draw every dash style as a solid line; only thin
// pens carry dashes and dots.
bool IsThin(const TDevicePen& pen) { return pen.Width <= 1; }

}  // namespace

TDrawSurface::~TDrawSurface() { Flush(); }

void TDrawSurface::BindImage(QImage* image) {
    Flush();
    external_ = nullptr;
    image_ = image;
    fontCache_.reset();
    if (image_ && !image_->isNull() && image_->format() != QImage::Format_RGB32)
        *image_ = image_->convertToFormat(QImage::Format_RGB32);
    clipKind_ = ClipKind::None;
    RefreshImageAccess();
}

void TDrawSurface::BindPainter(QPainter* painter) {
    Flush();
    image_ = nullptr;
    external_ = painter;
    externalArea_ = QRect();
    const QPaintEngine* engine = painter ? painter->paintEngine() : nullptr;
    const QPaintEngine::Type type = engine ? engine->type() : QPaintEngine::Raster;
    // Only vector devices keep each line as an element; a raster draws the
    // segments one by one as it always has.
    gathersLines_ = type == QPaintEngine::Picture || type == QPaintEngine::SVG || type == QPaintEngine::Pdf;
    if (QPaintDevice* device = painter ? painter->device() : nullptr) {
        // A picture grows with what is drawn unless it was given a size
        // before recording.
        if (device->devType() == QInternal::Picture)
            externalArea_ = static_cast<QPicture*>(device)->boundingRect();
        else
            externalArea_ = QRect(0, 0, device->width(), device->height());
    }
    fontCache_.reset();
    clipKind_ = ClipKind::None;
    raster_ = {};
    imageValid_ = false;
}

void TDrawSurface::Unbind() {
    Flush();
    image_ = nullptr;
    external_ = nullptr;
    gathersLines_ = false;
    externalArea_ = QRect();
    clipKind_ = ClipKind::None;
    raster_ = {};
    imageValid_ = false;
}

void TDrawSurface::Flush() {
    DrawGathered();
    EndOwnPainter();
}

void TDrawSurface::EndOwnPainter() {
    if (own_) {
        own_->end();
        own_.reset();
    }
}

void TDrawSurface::RefreshImageAccess() {
    raster_ = {};
    imageValid_ = image_ && !image_->isNull();
    if (!imageValid_) return;
    raster_.Bits = reinterpret_cast<uint32_t*>(image_->bits());
    raster_.Stride = image_->bytesPerLine() / 4;
    const TRect bounds{0, 0, image_->width(), image_->height()};
    raster_.Clip = bounds;
    if (clipKind_ == ClipKind::Rect) {
        if (!IntersectRect(raster_.Clip, clipRect_, bounds)) raster_.Clip = {};
    } else if (clipKind_ == ClipKind::Region) {
        const QRect b = clipRegion_.boundingRect();
        if (!IntersectRect(raster_.Clip, TRect{b.left(), b.top(), b.right() + 1, b.bottom() + 1}, bounds))
            raster_.Clip = {};
        clipMask_ = QImage(image_->size(), QImage::Format_Grayscale8);
        clipMask_.fill(0);
        QPainter mask(&clipMask_);
        mask.setClipRegion(clipRegion_);
        mask.fillRect(clipMask_.rect(), Qt::white);
        mask.end();
        raster_.Mask = clipMask_.constBits();
        raster_.MaskStride = clipMask_.bytesPerLine();
    }
}

void TDrawSurface::TakeOwnPixels() {
    EndOwnPainter();
    RefreshImageAccess();
}

QPainter* TDrawSurface::BeginPainter() {
    if (external_) return external_->isActive() ? external_ : nullptr;
    if (!ImageReady()) return nullptr;
    if (!own_) {
        own_ = std::make_unique<QPainter>();
        if (!own_->begin(image_)) {
            own_.reset();
            return nullptr;
        }
    }
    return own_.get();
}

void TDrawSurface::WithPainter(QPainter::CompositionMode mode, const std::function<void(QPainter&)>& draw) {
    DrawGathered();
    QPainter* p = BeginPainter();
    if (!p) return;
    if (external_)
        p->save();
    else
        p->resetTransform();
    p->setRenderHint(QPainter::Antialiasing, false);
    p->setRenderHint(QPainter::SmoothPixmapTransform, false);
    p->setRenderHint(QPainter::TextAntialiasing, !monochrome_);
    const bool rasterOps = p->paintEngine() && p->paintEngine()->hasFeature(QPaintEngine::RasterOpModes);
    p->setCompositionMode(
        mode < QPainter::RasterOp_SourceOrDestination || rasterOps ? mode : QPainter::CompositionMode_SourceOver);
    switch (clipKind_) {
    case ClipKind::None: p->setClipping(false); break;
    case ClipKind::Rect: p->setClipRect(ToQRect(clipRect_)); break;
    case ClipKind::Region: p->setClipRegion(clipRegion_); break;
    }
    p->setBackgroundMode(bkMode_ == bkOpaque ? Qt::OpaqueMode : Qt::TransparentMode);
    p->setBackground(QColorOfArgb(DrawColor(bkColor_)));
    draw(*p);
    if (external_) p->restore();
}

void TDrawSurface::PainterSegment(const QPen& pen, const QLineF& segment, bool straight) {
    if (gathersLines_ && pen.style() == Qt::SolidLine && pen_.Mode == pmCopy) {
        // A straight one-pixel line is its pixels' rectangle, filled: the
        // rasteriser of a one-pixel pen sets a line's end pixels by what came
        // before in the same path.
        const TLineBatch::Kind kind = straight ? TLineBatch::Kind::Runs : TLineBatch::Kind::Strokes;
        if (!gathered_.Takes(kind, pen)) DrawGathered();
        if (straight) {
            const QRectF line = QRectF(segment.p1(), segment.p2()).normalized();
            gathered_.AddRun(pen, line.height() == 0 ? line.adjusted(0, -0.5, 0, 0.5) : line.adjusted(-0.5, 0, 0.5, 0));
        } else {
            gathered_.AddStroke(pen, segment);
        }
        return;
    }
    WithPainter(CompositionOf(pen_.Mode), [&](QPainter& p) {
        // The gaps of a straight line stay clear, as the rasteriser leaves them.
        if (straight) p.setBackgroundMode(Qt::TransparentMode);
        p.setPen(pen);
        p.setBrush(Qt::NoBrush);
        p.drawLine(segment);
    });
}

void TDrawSurface::DrawGathered() {
    if (gathered_.Empty()) return;
    // Emptied first: drawing goes through WithPainter, which comes back here.
    const TLineBatch lines = std::exchange(gathered_, {});
    WithPainter(QPainter::CompositionMode_SourceOver, [&](QPainter& p) { lines.Draw(p); });
}

void TDrawSurface::SetMonochrome(bool value) {
    if (monochrome_ == value) return;
    monochrome_ = value;
    penArgb_ = DrawColor(pen_.Color);
    fontCache_.reset();
}

uint32_t TDrawSurface::DrawColor(TColor rgb) const {
    if (monochrome_) return RedOf(rgb) + GreenOf(rgb) + BlueOf(rgb) > 382 ? 0xFFFFFFFFu : 0xFF000000u;
    return ToQRgb(rgb);
}

TDevicePen TDrawSurface::SelectPen(const TDevicePen& pen) {
    penArgb_ = DrawColor(pen.Color);
    wideCopyPen_ = pen.Width == 2 && pen.Mode == pmCopy && pen.Style != psClear;
    return std::exchange(pen_, pen);
}
TDeviceBrush TDrawSurface::SelectBrush(const TDeviceBrush& brush) { return std::exchange(brush_, brush); }

TLogFont TDrawSurface::SelectFont(const TLogFont& font) {
    if (font == font_) return font_;
    fontCache_.reset();
    return std::exchange(font_, font);
}

TColor TDrawSurface::SetTextColor(TColor rgb) { return std::exchange(textColor_, rgb); }
TColor TDrawSurface::SetBkColor(TColor rgb) { return std::exchange(bkColor_, rgb); }

int32_t TDrawSurface::SetBkMode(int32_t mode) {
    if (mode != bkTransparent && mode != bkOpaque) return bkMode_;
    return std::exchange(bkMode_, mode);
}

uint32_t TDrawSurface::SetTextAlign(uint32_t flags) { return std::exchange(textAlign_, flags); }

QPen TDrawSurface::MakeQPen() const {
    if (!PenDraws()) return QPen(Qt::NoPen);
    QPen pen(QColorOfArgb(DrawColor(pen_.Color)));
    if (IsThin(pen_)) {
        pen.setWidth(pen_.Width);  // 0 is the one-pixel cosmetic pen
        pen.setCapStyle(Qt::FlatCap);
        const TLinePattern pattern = ThinPenPattern(pen_.Style);
        if (pattern.Period) {
            QList<qreal> dashes;
            bool on = true;
            qreal run = 0;
            for (uint32_t i = 0; i < pattern.Period; ++i) {
                const bool bit = (pattern.Mask >> i) & 1u;
                if (bit != on) {
                    dashes << run;
                    run = 0;
                    on = bit;
                }
                ++run;
            }
            dashes << run;
            pen.setDashPattern(dashes);
        }
    } else {
        pen.setWidth(pen_.Width);
        pen.setCapStyle(Qt::RoundCap);
        pen.setJoinStyle(Qt::RoundJoin);
    }
    return pen;
}

QBrush TDrawSurface::MakeQBrush() const {
    if (brush_.Pattern && !brush_.Pattern->isNull()) {
        if (!monochrome_) return QBrush(*brush_.Pattern);
        return QBrush(brush_.Pattern->convertToFormat(QImage::Format_Mono, Qt::ThresholdDither));
    }
    const Qt::BrushStyle style = HatchOf(brush_.Style);
    if (style == Qt::NoBrush) return QBrush(Qt::NoBrush);
    return QBrush(QColorOfArgb(DrawColor(brush_.Color)), style);
}

// ---- lines ----

void TDrawSurface::LineToAnyPen(int32_t x, int32_t y) {
    const TPoint from = position_;
    position_ = {x, y};
    if (!PenDraws()) return;
    if (pen_.Width <= 2 && ImageReady()) {
        if (IsThin(pen_)) {
            RasterThinLine(raster_, from.X, from.Y, x, y, penArgb_, pen_.Mode, ThinPenPattern(pen_.Style));
        } else {
            RasterWideLine2(raster_, from.X, from.Y, x, y, penArgb_, pen_.Mode);
        }
        return;
    }
    if (IsThin(pen_)) {
        const TPoint line[] = {from, {x, y}};
        PainterThinPath(line, false);
        return;
    }
    PainterSegment(MakeQPen(), QLineF(from.X, from.Y, x, y), false);
}

void TDrawSurface::Polyline(std::span<const TPoint> points) {
    if (points.size() < 2 || !PenDraws()) return;
    if (RasterOutlines()) {
        RasterPath(points, false);
        return;
    }
    if (IsThin(pen_)) {
        PainterThinPath(points, false);
        return;
    }
    QPolygon poly;
    for (const TPoint& pt : points) poly << QPoint(pt.X, pt.Y);
    WithPainter(CompositionOf(pen_.Mode), [&](QPainter& p) {
        p.setPen(MakeQPen());
        p.setBrush(Qt::NoBrush);
        p.drawPolyline(poly);
    });
}

bool TDrawSurface::RasterOutlines() {
    // Two-pixel outlines overlap at their corners, which only copy mode may do.
    return (IsThin(pen_) || (pen_.Width == 2 && pen_.Mode == pmCopy)) && ImageReady();
}

void TDrawSurface::RasterPath(std::span<const TPoint> points, bool closed) {
    const uint32_t color = DrawColor(pen_.Color);
    const TLinePattern pattern = ThinPenPattern(pen_.Style);
    uint64_t phase = 0;
    const size_t n = points.size();
    const size_t segments = closed ? n : n - 1;
    for (size_t i = 0; i < segments; ++i) {
        const TPoint a = points[i], b = points[(i + 1) % n];
        if (IsThin(pen_))
            phase = RasterThinLine(raster_, a.X, a.Y, b.X, b.Y, color, pen_.Mode, pattern, phase);
        else
            RasterWideLine2(raster_, a.X, a.Y, b.X, b.Y, color, pen_.Mode);
    }
}

// ---- filled shapes ----

void TDrawSurface::FillInterior(const TRect& r) {
    if (r.IsEmpty() || !BrushFills() || pen_.Mode == pmNop) return;
    if (!brush_.Pattern && brush_.Style == bsSolid && pen_.Mode == pmCopy && ImageReady()) {
        RasterFillRect(raster_, r, DrawColor(brush_.Color));
        return;
    }
    WithPainter(CompositionOf(pen_.Mode), [&](QPainter& p) { p.fillRect(ToQRect(r), MakeQBrush()); });
}

void TDrawSurface::Rectangle(int32_t x0, int32_t y0, int32_t x1, int32_t y1) {
    const TRect r = Normalized(x0, y0, x1, y1);
    if (!PenDraws()) {
        // Without an outline the interior is one pixel narrower and shorter,
        // as the device has always drawn it.
        FillInterior({r.Left, r.Top, r.Right - 1, r.Bottom - 1});
        return;
    }
    if (IsThin(pen_))
        FillInterior({r.Left + 1, r.Top + 1, r.Right - 1, r.Bottom - 1});
    else
        FillInterior(r);
    if (r.IsEmpty()) return;
    const bool raster = RasterOutlines();
    if (raster || IsThin(pen_)) {
        const int32_t l = r.Left, t = r.Top, rr = r.Right - 1, b = r.Bottom - 1;
        auto path = [&](std::span<const TPoint> points, bool closed) {
            if (raster)
                RasterPath(points, closed);
            else
                PainterThinPath(points, closed);
        };
        if (l == rr || t == b) {
            // A one-pixel-wide or -high rectangle is a single line.
            const TPoint line[] = {{l, t}, {l == rr ? l : rr + 1, l == rr ? b + 1 : t}};
            path(line, false);
        } else {
            const TPoint corners[] = {{l, t}, {rr, t}, {rr, b}, {l, b}};
            path(corners, true);
        }
        return;
    }
    WithPainter(CompositionOf(pen_.Mode), [&](QPainter& p) {
        p.setPen(MakeQPen());
        p.setBrush(Qt::NoBrush);
        p.drawRect(QRect(r.Left, r.Top, r.Width() - 1, r.Height() - 1));
    });
}

void TDrawSurface::Polygon(std::span<const TPoint> points) {
    if (points.size() < 2 || pen_.Mode == pmNop) return;
    QPolygon poly;
    for (const TPoint& pt : points) poly << QPoint(pt.X, pt.Y);
    if (BrushFills()) {
        WithPainter(CompositionOf(pen_.Mode), [&](QPainter& p) {
            p.setPen(Qt::NoPen);
            p.setBrush(MakeQBrush());
            p.drawPolygon(poly, Qt::OddEvenFill);
        });
    }
    if (!PenDraws()) return;
    if (RasterOutlines()) {
        RasterPath(points, true);
        return;
    }
    if (IsThin(pen_)) {
        PainterThinPath(points, true);
        return;
    }
    WithPainter(CompositionOf(pen_.Mode), [&](QPainter& p) {
        p.setPen(MakeQPen());
        p.setBrush(Qt::NoBrush);
        p.drawPolygon(poly);
    });
}

void TDrawSurface::Ellipse(int32_t x0, int32_t y0, int32_t x1, int32_t y1) {
    const TRect r = Normalized(x0, y0, x1, y1);
    if (r.IsEmpty() || pen_.Mode == pmNop) return;
    WithPainter(CompositionOf(pen_.Mode), [&](QPainter& p) {
        p.setPen(MakeQPen());
        p.setBrush(MakeQBrush());
        p.drawEllipse(QRect(r.Left, r.Top, r.Width() - 1, r.Height() - 1));
    });
}

void TDrawSurface::RoundRect(int32_t x0, int32_t y0, int32_t x1, int32_t y1, int32_t cornerWidth,
                             int32_t cornerHeight) {
    const TRect r = Normalized(x0, y0, x1, y1);
    if (r.IsEmpty() || pen_.Mode == pmNop) return;
    WithPainter(CompositionOf(pen_.Mode), [&](QPainter& p) {
        p.setPen(MakeQPen());
        p.setBrush(MakeQBrush());
        p.drawRoundedRect(QRectF(r.Left, r.Top, r.Width() - 1, r.Height() - 1), std::abs(cornerWidth) / 2.0,
                          std::abs(cornerHeight) / 2.0, Qt::AbsoluteSize);
    });
}

void TDrawSurface::Arc(int32_t x0, int32_t y0, int32_t x1, int32_t y1, int32_t xs, int32_t ys, int32_t xe, int32_t ye) {
    ArcOrPie(false, x0, y0, x1, y1, xs, ys, xe, ye);
}

void TDrawSurface::Pie(int32_t x0, int32_t y0, int32_t x1, int32_t y1, int32_t xs, int32_t ys, int32_t xe, int32_t ye) {
    ArcOrPie(true, x0, y0, x1, y1, xs, ys, xe, ye);
}

void TDrawSurface::ArcOrPie(bool pie, int32_t x0, int32_t y0, int32_t x1, int32_t y1, int32_t xs, int32_t ys,
                            int32_t xe, int32_t ye) {
    const TRect r = Normalized(x0, y0, x1, y1);
    if (r.IsEmpty() || pen_.Mode == pmNop) return;
    const double cx = (static_cast<double>(x0) + x1) / 2, cy = (static_cast<double>(y0) + y1) / 2;
    auto angle = [&](int32_t x, int32_t y) { return std::atan2(cy - y, x - cx) * 180 / std::numbers::pi; };
    const double start = angle(xs, ys);
    double span = angle(xe, ye) - start;
    while (span <= 0) span += 360;  // equal rays: the whole ellipse
    const int startQ = static_cast<int>(std::lround(start * 16));
    const int spanQ = static_cast<int>(std::lround(span * 16));
    const QRect box(r.Left, r.Top, r.Width() - 1, r.Height() - 1);
    WithPainter(CompositionOf(pen_.Mode), [&](QPainter& p) {
        p.setPen(MakeQPen());
        if (pie) {
            p.setBrush(MakeQBrush());
            p.drawPie(box, startQ, spanQ);
        } else {
            p.setBrush(Qt::NoBrush);
            p.drawArc(box, startQ, spanQ);
        }
    });
}

void TDrawSurface::PatBlt(const TRect& r) {
    if (r.IsEmpty() || !BrushFills()) return;
    if (!brush_.Pattern && brush_.Style == bsSolid && ImageReady()) {
        RasterFillRect(raster_, r, DrawColor(brush_.Color));
        return;
    }
    WithPainter(QPainter::CompositionMode_SourceOver, [&](QPainter& p) { p.fillRect(ToQRect(r), MakeQBrush()); });
}

void TDrawSurface::SetPixel(int32_t x, int32_t y, TColor rgb) {
    if (ImageReady()) {
        if (raster_.Writable(x, y)) raster_.Bits[y * raster_.Stride + x] = DrawColor(rgb);
        return;
    }
    WithPainter(QPainter::CompositionMode_SourceOver,
                [&](QPainter& p) { p.fillRect(QRect(x, y, 1, 1), QColorOfArgb(DrawColor(rgb))); });
}

TColor TDrawSurface::GetPixel(int32_t x, int32_t y) const {
    if (!image_ || !image_->valid(x, y)) return clNone;
    const QRgb c = image_->pixel(x, y);
    return RGBColor(qRed(c), qGreen(c), qBlue(c));
}

// ---- images ----

void TDrawSurface::BitBlt(int32_t x, int32_t y, const QImage& source, const TRect& sourceRect) {
    if (source.isNull() || sourceRect.IsEmpty()) return;
    WithPainter(QPainter::CompositionMode_Source,
                [&](QPainter& p) { p.drawImage(QPoint(x, y), source, ToQRect(sourceRect)); });
}

void TDrawSurface::StretchBlt(const TRect& dest, const QImage& source) {
    if (source.isNull() || dest.IsEmpty()) return;
    WithPainter(QPainter::CompositionMode_Source, [&](QPainter& p) { p.drawImage(ToQRect(dest), source); });
}

// ---- clipping ----

void TDrawSurface::SelectClipRect(const TRect& r) {
    DrawGathered();
    clipKind_ = ClipKind::Rect;
    clipRect_ = Normalized(r.Left, r.Top, r.Right, r.Bottom);
    RefreshImageAccess();
}

void TDrawSurface::SelectClipPolygon(std::span<const TPoint> points) {
    DrawGathered();
    QPolygon poly;
    for (const TPoint& pt : points) poly << QPoint(pt.X, pt.Y);
    clipKind_ = ClipKind::Region;
    clipRegion_ = QRegion(poly, Qt::OddEvenFill);
    RefreshImageAccess();
}

void TDrawSurface::RemoveClip() {
    DrawGathered();
    clipKind_ = ClipKind::None;
    clipRegion_ = QRegion();
    clipMask_ = QImage();
    RefreshImageAccess();
}

TRect TDrawSurface::ClipBox() const {
    if (clipKind_ == ClipKind::Rect) return clipRect_;
    if (clipKind_ == ClipKind::Region) {
        const QRect b = clipRegion_.boundingRect();
        return {b.left(), b.top(), b.right() + 1, b.bottom() + 1};
    }
    if (image_) return {0, 0, image_->width(), image_->height()};
    if (external_ && external_->device()) return {0, 0, external_->device()->width(), external_->device()->height()};
    return {};
}

}  // namespace fw
