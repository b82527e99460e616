#pragma once
// The error an axis raises when a property is given a value it refuses, with
// the fixed messages of the chart's text table. The property keeps its old
// value.

#include "framework/core/Exceptions.h"

namespace chart {

class AxisException : public fw::Exception {
public:
    using fw::Exception::Exception;
};

inline constexpr const char* MsgAxisMinMax = "Axis Minimum Value must be <= Maximum";
inline constexpr const char* MsgAxisMaxMin = "Axis Maximum Value must be >= Minimum";
inline constexpr const char* MsgAxisIncrementNeg = "Axis increment must be >= 0";
inline constexpr const char* MsgAxisLabelSep = "Labels Separation % must be greater than 0";
inline constexpr const char* MsgAxisLogBase = "Axis Logarithmic Base should be >= 2";
inline constexpr const char* MsgAxisLogDateTime = "DateTime Axis cannot be Logarithmic";
inline constexpr const char* MsgAxisLogNotPositive = "Logarithmic Axis Min and Max values should be >= 0";
// Names put into the angle message of ChartCheckAngle.
inline constexpr const char* MsgAxisLabelsName = "Axis Labels";
inline constexpr const char* MsgAxisTitleName = "Axis Title";

}  // namespace chart
