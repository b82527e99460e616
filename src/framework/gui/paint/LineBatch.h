#pragma once
// Solid line segments bound for a vector target (a metafile written as SVG or
// PDF), gathered while one pen draws them, so that a run of segments leaves
// as one path element instead of one element each.

#include <QLineF>
#include <QPainter>
#include <QPainterPath>
#include <QPen>
#include <QRectF>

namespace fw {

class TLineBatch {
public:
    // Strokes are drawn with the pen; runs, rows or columns of whole pixels,
    // are filled with its colour.
    enum class Kind { Strokes, Runs };

    bool Empty() const { return path_.isEmpty(); }
    // Whether segments of kind drawn with pen may join the gathered ones.
    bool Takes(Kind kind, const QPen& pen) const { return Empty() || (kind == kind_ && pen == pen_); }
    // Each adds to a batch that takes its kind and pen. A stroke of no
    // length draws nothing and is left out.
    void AddStroke(const QPen& pen, const QLineF& segment);
    void AddRun(const QPen& pen, const QRectF& pixels);
    void Draw(QPainter& painter) const;

private:
    Kind kind_ = Kind::Strokes;
    QPen pen_;
    QPainterPath path_;
};

}  // namespace fw
