// One-pixel lines on a painter target: the pixels our rasteriser would set,
// as strokes a vector device keeps as lines.
#include <algorithm>
#include <cmath>
#include <cstdlib>

#include "framework/gui/paint/DrawSurface.h"

namespace fw {

TRect TDrawSurface::PainterVisibleBox(const QPainter& p) const {
    // Without edges, a range whose runs QRect can still size in int.
    constexpr int64_t lowest = -(int64_t{1} << 30), highest = int64_t{1} << 30;
    int64_t left = lowest, top = lowest, right = highest, bottom = highest;
    bool invertible = false;
    const QTransform toDrawing = p.deviceTransform().inverted(&invertible);
    if (!externalArea_.isEmpty() && invertible) {
        const QRectF area = toDrawing.mapRect(QRectF(externalArea_));
        left = static_cast<int64_t>(std::max<double>(std::floor(area.left()) - 1, lowest));
        top = static_cast<int64_t>(std::max<double>(std::floor(area.top()) - 1, lowest));
        right = static_cast<int64_t>(std::min<double>(std::ceil(area.right()) + 1, highest));
        bottom = static_cast<int64_t>(std::min<double>(std::ceil(area.bottom()) + 1, highest));
    }
    TRect box{static_cast<int32_t>(left), static_cast<int32_t>(top), static_cast<int32_t>(right),
              static_cast<int32_t>(bottom)};
    if (clipKind_ != ClipKind::None) {
        const QRect b = clipKind_ == ClipKind::Rect
                            ? QRect(clipRect_.Left, clipRect_.Top, clipRect_.Width(), clipRect_.Height())
                            : clipRegion_.boundingRect();
        const TRect clip{b.left(), b.top(), b.left() + b.width(), b.top() + b.height()};
        if (!IntersectRect(box, box, clip)) return {};
    }
    return box;
}

uint64_t TDrawSurface::PainterThinSegment(TPoint a, TPoint b, uint64_t phase) {
    const int64_t steps = std::max(std::llabs(int64_t{b.X} - a.X), std::llabs(int64_t{b.Y} - a.Y));
    const uint64_t after = phase + static_cast<uint64_t>(steps);
    if (a.X != b.X && a.Y != b.Y) {
        // Through pixel centres, so that a vector device puts the line on
        // the pixels a raster would.
        PainterSegment(MakeQPen(), QLineF(a.X + 0.5, a.Y + 0.5, b.X + 0.5, b.Y + 0.5), false);
        return after;
    }
    // Straight lines are one pixel wide strokes from pixel edge to pixel
    // edge along a row or column, with the pattern's dashes on whole pixels:
    // exact on every device. Only the steps that can show are drawn, so that
    // a line far longer than the target costs no more than one across it.
    const QPainter* p = BeginPainter();
    if (!p) return after;
    const int32_t sx = b.X > a.X ? 1 : (b.X < a.X ? -1 : 0), sy = b.Y > a.Y ? 1 : (b.Y < a.Y ? -1 : 0);
    const TRect box = PainterVisibleBox(*p);
    const bool horizontal = sy == 0;
    const int64_t across = horizontal ? a.Y : a.X;
    if (box.IsEmpty() || across < (horizontal ? box.Top : box.Left) || across >= (horizontal ? box.Bottom : box.Right))
        return after;
    const int64_t start = horizontal ? a.X : a.Y, step = horizontal ? sx : sy;
    const int64_t lo = horizontal ? box.Left : box.Top, hi = horizontal ? box.Right : box.Bottom;
    // Steps i with start + step·i in [lo, hi).
    const int64_t first = std::max<int64_t>(0, step > 0 ? lo - start : start - hi + 1);
    const int64_t last = std::min<int64_t>(steps, step > 0 ? hi - start : start - lo + 1);
    if (first >= last) return after;
    // The edge a walk along the line crosses into step k.
    const auto edge = [&](int64_t k) { return static_cast<double>(start + step * k + (step > 0 ? 0 : 1)); };
    const double middle = static_cast<double>(across) + 0.5;
    const QLineF run =
        horizontal ? QLineF(edge(first), middle, edge(last), middle) : QLineF(middle, edge(first), middle, edge(last));
    QPen pen = MakeQPen();
    pen.setWidth(1);
    const TLinePattern pattern = ThinPenPattern(pen_.Style);
    if (pattern.Period) pen.setDashOffset(static_cast<qreal>((phase + static_cast<uint64_t>(first)) % pattern.Period));
    PainterSegment(pen, run, true);
    return after;
}

void TDrawSurface::PainterThinPath(std::span<const TPoint> points, bool closed) {
    uint64_t phase = 0;
    const size_t n = points.size();
    for (size_t i = 0; i < (closed ? n : n - 1); ++i) phase = PainterThinSegment(points[i], points[(i + 1) % n], phase);
}

}  // namespace fw
