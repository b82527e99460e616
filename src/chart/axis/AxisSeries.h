#pragma once
// What the series of a chart decide about an axis: whether it is shown, and
// the automatic ends of its range (the chart's InternalMinMax, on which its
// MinXValue, MaxXValue, MinYValue and MaxYValue rest).

#include "chart/axis/AxisParent.h"

namespace chart {

class TCustomChartAxis;
class TChartSeries;

// The chart's IsAxisVisible: axisVisible (the chart shows axes at all) and
// the axis' Visible; then the depth axis follows view3D, and a side axis is
// shown by the first active series that uses axes and is attached to it,
// hidden when such series exist but none is attached, shown when there are
// none.
bool AxisVisibleForSeries(const TCustomChartAxis& axis, bool axisVisible, bool view3D, TChartSeriesList& series);

// The lowest (isMin) or highest value of the active series attached to the
// axis on the side isX names (X values for isX, else Y values); one page of
// points while the chart pages; 0 without such series. The depth axis spans
// the depth slots, or the z values with value labels.
double InternalMinMax(IAxisParent& chart, const TCustomChartAxis& axis, bool isMin, bool isX);

// The first active series attached to the axis, or none.
TChartSeries* FirstSeriesOfAxis(TChartSeriesList& series, const TCustomChartAxis& axis);

}  // namespace chart
