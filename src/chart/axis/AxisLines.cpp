// The axis lines of the side axes and of the depth axis.

#include "chart/axis/ChartAxis.h"
#include "chart/canvas/ChartCanvas3D.h"

namespace chart {

namespace {

// The wall thickness beside the chart's axis of the given side.
int32_t WallSizeOf(IAxisParent& chart, bool horizontal) {
    for (TCustomChartAxis* axis : chart.AxesList()) {
        if (axis->IsHorizontal() == horizontal && !axis->IsFarSide() && !axis->IsDepthAxis())
            return chart.CalcWallSize(*axis);
    }
    return 0;
}

}  // namespace

void TChartAxis::DrawAxisLine(int32_t axisPos) {
    IAxisParent& chart = ParentChart();
    TChartCanvas3D& canvas = chart.Canvas();
    if (IsHorizontal()) {
        if (IsFarSide())
            canvas.HorizLine3D(PixelStart(), PixelEnd(), LinePos(), chart.TotalDepth());
        else
            canvas.HorizLine3D(PixelStart() - WallSizeOf(chart, false), PixelEnd(), LinePos() + axisPos, 0);
    } else {
        if (IsFarSide())
            canvas.VertLine3D(LinePos(), PixelStart(), PixelEnd(), chart.TotalDepth());
        else
            canvas.VertLine3D(LinePos() - axisPos, PixelStart(), PixelEnd() + WallSizeOf(chart, true), 0);
    }
}

void TChartDepthAxis::DrawAxisLine(int32_t /*axisPos*/) {
    IAxisParent& chart = ParentChart();
    const fw::TRect plot = chart.PlotRect();
    chart.Canvas().ZLine3D(plot.Right, plot.Bottom + WallSizeOf(chart, true), 0, chart.TotalDepth());
}

}  // namespace chart
