#pragma once
// The range settings of the four side axes, kept when the first zoom or scroll
// after an undo changes them, so that one undo returns to the view before it.

#include "chart/axis/AxisRangeSettings.h"

namespace chart {

class TCustomChartAxis;

struct TAllAxisSavedScales {
    TAxisRangeSettings Top;
    TAxisRangeSettings Left;
    TAxisRangeSettings Right;
    TAxisRangeSettings Bottom;

    friend bool operator==(const TAllAxisSavedScales&, const TAllAxisSavedScales&) = default;
};

// Puts an axis back to saved: the three automatic flags through their setters
// (so that each repaints as a user's change would), then, only when the axis is
// manual after them, its ends. The increment, which no zoom or scroll
// changes, stays as it is.
void RestoreAxisScale(TCustomChartAxis& axis, const TAxisRangeSettings& saved);

}  // namespace chart
