#pragma once
// The mouse buttons and modifier keys of the chart gestures and the pace of an
// animated zoom, shared by every chart of the process. A program that wants
// other gestures sets them once at start-up, before the first chart exists.

#include "framework/gui/window/HostedControl.h"

namespace chart {

inline fw::TMouseButton ChartZoomMouseButton = fw::mbLeft;
inline fw::TMouseButton ChartScrollMouseButton = fw::mbRight;
// Every modifier in the set must be held for the gesture to start.
inline fw::TShiftState ChartZoomKeyShift = 0;
inline fw::TShiftState ChartScrollKeyShift = 0;
// Each step of an animated zoom covers 1 / AnimatedZoomFactor of the distance
// still left to the target range.
inline double AnimatedZoomFactor = 3.0;
// How much one notch of the mouse wheel narrows the axes over a plot.
inline double ChartWheelZoomFactor = 1.25;

// Whether every key of required is held in shift.
constexpr bool HoldsKeys(fw::TShiftState shift, fw::TShiftState required) { return (shift & required) == required; }

}  // namespace chart
