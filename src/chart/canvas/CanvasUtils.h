#pragma once
// Small helpers of the chart canvas: clipping a framework canvas, darker and
// brighter colours, rectangle size and centre, and numeric odds and ends.

#include <cstdint>
#include <string>
#include <utility>

#include "chart/canvas/ChartCanvasBase.h"
#include "framework/core/Colors.h"
#include "framework/core/Geometry.h"
#include "framework/gui/paint/Canvas.h"

namespace chart {

// Thickness in pixels of each ring of a from-the-centre gradient.
inline int32_t ChartGradientPrecision = 2;
// How much darker the shaded faces of solids are.
inline constexpr int32_t DarkColorQuantity = 64;
inline constexpr int32_t DarkerColorQuantity = 128;

// Clips everything drawn on canvas to rect (replacing any clip); UnClipCanvas
// removes the clip.
void ClipCanvas(fw::TCanvas& canvas, const fw::TRect& rect);
void UnClipCanvas(fw::TCanvas& canvas);

// Each RGB byte (system colours resolved first) less quantity, at least 0;
// or plus quantity, at most 255.
fw::TColor ApplyDark(fw::TColor color, int32_t quantity);
fw::TColor ApplyBright(fw::TColor color, int32_t quantity);

// The width of the widest line of text in the canvas font, and in numLines
// how many lines it has; a text without separator is one line, even empty.
int32_t MultiLineTextWidth(TChartCanvas& canvas, const std::string& text, int32_t& numLines);

inline void RectSize(const fw::TRect& r, int32_t& width, int32_t& height) {
    width = r.Right - r.Left;
    height = r.Bottom - r.Top;
}
// (a + b) div 2 on each axis, truncating towards zero.
inline void RectCenter(const fw::TRect& r, int32_t& x, int32_t& y) {
    x = static_cast<int32_t>((int64_t{r.Left} + r.Right) / 2);
    y = static_cast<int32_t>((int64_t{r.Top} + r.Bottom) / 2);
}

inline TPoint3D Point3D(int32_t x, int32_t y, int32_t z) { return {x, y, z}; }

void SinCos(double angle, double& sine, double& cosine);
// The angle of (x, y) in radians, 0 when both are 0.
double ArcTan2(double y, double x);

inline int32_t MaxLong(int32_t a, int32_t b) { return a > b ? a : b; }
inline int32_t MinLong(int32_t a, int32_t b) { return a < b ? a : b; }
inline double MaxDouble(double a, double b) { return a > b ? a : b; }
inline double MinDouble(double a, double b) { return a < b ? a : b; }
inline void SwapLongint(int32_t& a, int32_t& b) { std::swap(a, b); }
inline void SwapInteger(int32_t& a, int32_t& b) { std::swap(a, b); }
inline void SwapDouble(double& a, double& b) { std::swap(a, b); }

}  // namespace chart
