// TChartSeries: the drawing every series kind shares, its legend symbol and
// its marks.

#include "chart/canvas/ChartCanvas3D.h"
#include "chart/series/ChartSeries.h"

namespace chart {

void TChartSeries::DrawLegendShape(int32_t valueIndex, const fw::TRect& rect) {
    if (!parent_) return;
    TChartCanvas3D& canvas = parent_->Canvas();
    canvas.Brush().SetStyle(fw::bsSolid);
    canvas.Brush().SetColor(ValueColor(valueIndex));
    canvas.Rectangle(rect.Left, rect.Top, rect.Right, rect.Bottom);
}

void TChartSeries::DrawMark(int32_t valueIndex, const std::string& text, TSeriesMarkPosition& position) {
    marks_->Positions().SetPosition(valueIndex, position);
    if (!parent_) return;
    TChartCanvas3D& canvas = parent_->Canvas();
    const int32_t z = marks_->ZPosition;
    canvas.AssignVisiblePen(marks_->Arrow());
    canvas.LineWithZ(position.ArrowFrom.X, position.ArrowFrom.Y, position.ArrowTo.X, position.ArrowTo.Y, z);
    canvas.AssignVisiblePen(marks_->Frame());
    canvas.Brush().SetStyle(fw::bsSolid);
    canvas.Brush().SetColor(marks_->BackColor());
    const fw::TPoint& box = position.LeftTop;
    canvas.RectangleWithZ(fw::Rect(box.X, box.Y, box.X + position.Width, box.Y + position.Height), z);
    canvas.Brush().SetStyle(fw::bsClear);
    canvas.Font().Assign(marks_->Font());
    canvas.TextOut3D(box.X + 1, box.Y, z, text);
}

}  // namespace chart
