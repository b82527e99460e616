#pragma once
// The chart component's text table: default formats, list names and the
// messages its errors carry.

namespace chart {

inline constexpr const char* MsgDefaultValueFormat = "#,##0.###";
inline constexpr const char* MsgDefaultPercentFormat = "##0.## %";
inline constexpr const char* MsgValuesX = "X";
inline constexpr const char* MsgValuesY = "Y";

inline constexpr const char* MsgNoParentForDataSource = "No ParentChart to validate DataSource";
// Followed by the refused source's name.
inline constexpr const char* MsgNoValidDataSource = "No valid DataSource: ";
inline constexpr const char* MsgCircularSeries = "Circular Series dependences are not allowed";
// Pixel conversions of a series that is on no chart.
inline constexpr const char* MsgSeriesWithoutAxis = "Series is not on a chart: it has no axes";

}  // namespace chart
