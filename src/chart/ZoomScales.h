#pragma once
// The range settings of the four side axes, kept when the first zoom or scroll
// after an undo changes them, so that one undo returns to the view before it.

#include "chart/ChartAxis.h"

namespace chart {

// One axis's range settings: its automatic flags and its manual ends.
struct TAxisSavedScale {
    bool Auto = true;
    bool AutoMin = true;
    bool AutoMax = true;
    double Min = 0;
    double Max = 0;

    static TAxisSavedScale Of(const TCustomChartAxis& axis);
    // The flags through their setters, then (only for a manual axis) the ends.
    void ApplyTo(TCustomChartAxis& axis) const;

    friend bool operator==(const TAxisSavedScale&, const TAxisSavedScale&) = default;
};

struct TAllAxisSavedScales {
    TAxisSavedScale Top;
    TAxisSavedScale Left;
    TAxisSavedScale Right;
    TAxisSavedScale Bottom;

    friend bool operator==(const TAllAxisSavedScales&, const TAllAxisSavedScales&) = default;
};

}  // namespace chart
