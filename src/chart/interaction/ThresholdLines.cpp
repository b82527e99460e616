#include "chart/interaction/ThresholdLines.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

#include "chart/axis/ChartAxis.h"
#include "chart/canvas/ChartCanvas3D.h"
#include "chart/panel/CustomAxisPanel.h"

namespace chart {

void TThresholdLines::SetThreshold(double value) {
    if (value == threshold_) return;
    threshold_ = value;
    if (visible_) chart_.Invalidate();
}

void TThresholdLines::SetVisible(bool value) {
    if (value == visible_) return;
    visible_ = value;
    chart_.Invalidate();
}

bool TThresholdLines::Shown(TCustomAxisPanel& chart) const {
    return visible_ && chart.SeriesList().CountActive() > 0 && std::isfinite(threshold_) && threshold_ >= 0;
}

void TThresholdLines::DrawBehindSeries(TCustomAxisPanel& chart) {
    if (!Shown(chart)) return;
    const fw::TRect plot = chart.PlotRect();
    const TChartAxis& left = *chart.LeftAxis();
    const int32_t top = std::max(plot.Top, std::min(left.CalcYPosValue(threshold_), plot.Bottom));
    const int32_t bottom = std::min(plot.Bottom, std::max(left.CalcYPosValue(-threshold_) + 1, plot.Top));
    if (top >= bottom) return;
    TChartCanvas3D& canvas = chart.Canvas();
    canvas.Brush().SetStyle(fw::bsSolid);
    canvas.Brush().SetColor(kBandColour);
    canvas.FillRect(fw::Rect(plot.Left, top, plot.Right, bottom));
}

int32_t TThresholdLines::LineRow(TCustomAxisPanel& chart, double value, bool& beyond) const {
    const fw::TRect plot = chart.PlotRect();
    const int32_t y = chart.LeftAxis()->CalcYPosValue(value);
    const int32_t row = std::clamp(y, plot.Top, std::max(plot.Top, plot.Bottom - 1));
    beyond = row != y;
    return row;
}

void TThresholdLines::DrawOverSeries(TCustomAxisPanel& chart) {
    if (!Shown(chart)) return;
    const fw::TRect plot = chart.PlotRect();
    TChartCanvas3D& canvas = chart.Canvas();
    canvas.Pen().SetStyle(fw::psSolid);
    canvas.Pen().SetMode(fw::pmCopy);
    canvas.Pen().SetWidth(1);
    canvas.Pen().SetColor(kLineColour);
    canvas.Brush().SetStyle(fw::bsSolid);
    canvas.Brush().SetColor(kLineColour);
    for (const double value : {threshold_, -threshold_}) {
        bool beyond = false;
        const int32_t y = LineRow(chart, value, beyond);
        canvas.DoHorizLine(plot.Left, plot.Right, y);
        if (!beyond) continue;
        // A line beyond the axis's range stands at the edge it passed, with a
        // triangle pointing the way it went, and can be dragged in from there.
        const int32_t x = plot.Right - 2 * kMarkerPixels;
        const int32_t base = value > 0 ? kMarkerPixels : -kMarkerPixels;
        const fw::TPoint triangle[] = {{x - kMarkerPixels, y + base}, {x + kMarkerPixels, y + base}, {x, y}};
        canvas.Polygon(triangle);
    }
}

bool TThresholdLines::Grabs(TCustomAxisPanel& chart, int32_t x, int32_t y) {
    if (!Shown(chart) || !chart.PlotRect().Contains({x, y})) return false;
    for (const double value : {threshold_, -threshold_}) {
        bool beyond = false;
        if (std::abs(LineRow(chart, value, beyond) - y) <= kGrabPixels) return true;
    }
    return false;
}

bool TThresholdLines::StartDrag(TCustomAxisPanel& chart, fw::TMouseButton button, int32_t x, int32_t y) {
    if (button != fw::mbLeft || !Grabs(chart, x, y)) return false;
    dragging_ = true;
    return true;
}

void TThresholdLines::Drag(TCustomAxisPanel& chart, int32_t /*x*/, int32_t y) {
    // Either line follows the mouse; T is the distance from zero.
    double value = std::fabs(chart.LeftAxis()->CalcPosPoint(y));
    if (OnDrag) OnDrag(value);
    SetThreshold(value);
}

void TThresholdLines::EndDrag(TCustomAxisPanel& chart, int32_t x, int32_t y) {
    Drag(chart, x, y);
    dragging_ = false;
    if (OnDragEnd) OnDragEnd();
}

}  // namespace chart
