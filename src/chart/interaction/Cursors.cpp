#include "chart/interaction/Cursors.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

#include "chart/axis/ChartAxis.h"
#include "chart/canvas/ChartCanvas3D.h"
#include "chart/panel/CustomAxisPanel.h"

namespace chart {

void TCursors::SetVisible(bool value) {
    if (value == visible_) return;
    visible_ = value;
    chart_.Invalidate();
}

void TCursors::SetLast(int32_t last) {
    last_ = std::max(last, 0);
    for (int cursor : {0, 1}) Place(cursor, Index(cursor));
}

void TCursors::Place(int cursor, int32_t index) {
    const int32_t held = std::clamp(index, 0, last_);
    active_ = cursor;
    if (held == Index(cursor)) return;
    index_[static_cast<std::size_t>(cursor)] = held;
    if (visible_) chart_.Invalidate();
    if (OnMoved) OnMoved();
}

void TCursors::DrawOverSeries(TCustomAxisPanel& chart) {
    if (!visible_) return;
    const fw::TRect plot = chart.PlotRect();
    TChartCanvas3D& canvas = chart.Canvas();
    canvas.Pen().SetStyle(fw::psSolid);
    canvas.Pen().SetMode(fw::pmCopy);
    canvas.Pen().SetColor(kColour);
    canvas.Font().SetColor(kColour);
    canvas.Brush().SetStyle(fw::bsClear);
    for (int cursor : {0, 1}) {
        const int32_t x = chart.BottomAxis()->CalcXPosValue(Index(cursor));
        if (x < plot.Left || x >= plot.Right) continue;
        // The active cursor is drawn twice as wide.
        canvas.Pen().SetWidth(cursor == active_ ? 2 : 1);
        canvas.Line(x, plot.Top, x, plot.Bottom);
        canvas.TextOut(x + 3, plot.Top + 1, cursor == 0 ? "A" : "B");
    }
}

int TCursors::CursorAt(TCustomAxisPanel& chart, int32_t x, int32_t y) const {
    if (!visible_ || !chart.PlotRect().Contains({x, y})) return -1;
    // The active one first, where both are near.
    for (int cursor : {active_, 1 - active_}) {
        if (std::abs(chart.BottomAxis()->CalcXPosValue(Index(cursor)) - x) <= kGrabPixels) return cursor;
    }
    return -1;
}

bool TCursors::Grabs(TCustomAxisPanel& chart, int32_t x, int32_t y) { return CursorAt(chart, x, y) >= 0; }

bool TCursors::StartDrag(TCustomAxisPanel& chart, fw::TMouseButton button, int32_t x, int32_t y) {
    const int cursor = button == fw::mbLeft ? CursorAt(chart, x, y) : -1;
    if (cursor < 0) return false;
    active_ = cursor;
    chart_.Invalidate();
    return true;
}

void TCursors::Drag(TCustomAxisPanel& chart, int32_t x, int32_t /*y*/) {
    const double value = std::round(chart.BottomAxis()->CalcPosPoint(x));
    Place(active_, static_cast<int32_t>(std::clamp(value, 0.0, static_cast<double>(last_))));
}

}  // namespace chart
