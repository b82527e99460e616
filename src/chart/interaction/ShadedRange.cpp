#include "chart/interaction/ShadedRange.h"

#include <algorithm>

#include "chart/axis/ChartAxis.h"
#include "chart/canvas/ChartCanvas3D.h"
#include "chart/panel/CustomAxisPanel.h"

namespace chart {

void TShadedRange::Show(double from, double to) {
    if (shown_ && from == from_ && to == to_) return;
    shown_ = true;
    from_ = from;
    to_ = to;
    chart_.Invalidate();
}

void TShadedRange::Hide() {
    if (!shown_) return;
    shown_ = false;
    chart_.Invalidate();
}

void TShadedRange::DrawBehindSeries(TCustomAxisPanel& chart) {
    if (!shown_ || chart.SeriesList().CountActive() == 0) return;
    const fw::TRect plot = chart.PlotRect();
    const TChartAxis& bottom = *chart.BottomAxis();
    // An axis may run either way; a range narrower than a pixel still shows.
    const int32_t a = bottom.CalcXPosValue(from_);
    const int32_t b = bottom.CalcXPosValue(to_);
    const int32_t left = std::max(plot.Left, std::min(a, b));
    const int32_t right = std::min(plot.Right, std::max(std::max(a, b), std::min(a, b) + 1));
    if (left >= right) return;
    TChartCanvas3D& canvas = chart.Canvas();
    canvas.Brush().SetStyle(fw::bsSolid);
    canvas.Brush().SetColor(kColour);
    canvas.FillRect(fw::Rect(left, plot.Top, right, plot.Bottom));
}

}  // namespace chart
