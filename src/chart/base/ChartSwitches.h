#pragma once
// Process-wide switches of the chart component. The program keeps their
// start-up values; they are variables so that a host (or a test) can choose
// otherwise before any chart paints.

namespace chart {

// Axes are drawn before the series (the grid then lies behind the lines).
inline bool ChartDrawAxisBeforeSeries = true;
// The window's background is erased before a paint. Off: every paint covers
// the whole area anyway, and erasing first would flicker.
inline bool ChartEraseBack = false;
// Series are clipped to the plot rectangle also while printing.
inline bool ChartClipWhenPrinting = true;
// Series are clipped also while drawing into a vector file.
inline bool ChartClipWhenMetafiling = true;
// When printing, the panel background and bevels are drawn too.
inline bool PrintChartPanel = false;

}  // namespace chart
