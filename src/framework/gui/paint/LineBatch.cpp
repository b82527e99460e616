#include "framework/gui/paint/LineBatch.h"

namespace fw {

void TLineBatch::AddStroke(const QPen& pen, const QLineF& segment) {
    if (segment.p1() == segment.p2()) return;
    if (Empty()) {
        kind_ = Kind::Strokes;
        pen_ = pen;
    }
    // A one-pixel line continues from where the last segment ended. A wider
    // pen has round caps, and a subpath for each segment makes the union of
    // those caps, pixel for pixel what drawing the segments one by one gives;
    // joined, the round joins would come out a little differently.
    const bool continues = pen.widthF() <= 1 && path_.elementCount() > 0 && path_.currentPosition() == segment.p1();
    if (!continues) path_.moveTo(segment.p1());
    path_.lineTo(segment.p2());
}

void TLineBatch::AddRun(const QPen& pen, const QRectF& pixels) {
    if (Empty()) {
        kind_ = Kind::Runs;
        pen_ = pen;
        // Overlapping runs add up rather than cancel.
        path_.setFillRule(Qt::WindingFill);
    }
    path_.addRect(pixels);
}

void TLineBatch::Draw(QPainter& painter) const {
    if (kind_ == Kind::Runs) {
        painter.fillPath(path_, pen_.color());
        return;
    }
    painter.setPen(pen_);
    painter.setBrush(Qt::NoBrush);
    painter.drawPath(path_);
}

}  // namespace fw
