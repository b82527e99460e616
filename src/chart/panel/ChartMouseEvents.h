#pragma once
// The chart's events of the mouse gestures: clicks on its parts, and the
// zoom and scroll they lead to.

#include <cstdint>
#include <functional>

#include "framework/gui/window/HostedControl.h"

namespace chart {

class TChartSeries;
class TCustomChart;
class TCustomChartAxis;

// May change the range a scroll gives the axis, or refuse it.
using TChartAllowScrollEvent =
    std::function<void(TCustomChartAxis& sender, double& aMin, double& aMax, bool& allowScroll)>;
using TChartClickSeriesEvent =
    std::function<void(TCustomChart& sender, TChartSeries& series, int32_t valueIndex, fw::TMouseButton button,
                       fw::TShiftState shift, int32_t x, int32_t y)>;
using TChartClickAxisEvent = std::function<void(TCustomChart& sender, TCustomChartAxis& axis, fw::TMouseButton button,
                                                fw::TShiftState shift, int32_t x, int32_t y)>;
// A click on the legend or on the background.
using TChartClickEvent =
    std::function<void(TCustomChart& sender, fw::TMouseButton button, fw::TShiftState shift, int32_t x, int32_t y)>;

}  // namespace chart
