#pragma once
// TColor: 0x00BBGGRR for plain RGB, 0x800000nn for a system colour number nn.
// The value type is plain C++ so that the analysis and the chart's data side
// can pass colours without the GUI layer; framework/gui resolves system colours.

#include <cstdint>

namespace fw {

using TColor = int32_t;

constexpr TColor SystemColor(uint32_t index) { return static_cast<TColor>(0x80000000u | index); }

constexpr TColor clScrollBar = SystemColor(0x00);
constexpr TColor clBtnFace = SystemColor(0x0F);
constexpr TColor clBtnShadow = SystemColor(0x10);
constexpr TColor clWindowText = SystemColor(0x08);
constexpr TColor clBtnHighlight = SystemColor(0x14);

// "No colour of its own": the same bits as the scroll-bar system colour.
constexpr TColor clChartDefault = clScrollBar;
// Marks a null point.
constexpr TColor clNone = 0x1FFFFFFF;

constexpr TColor clBlack = 0x00000000;
constexpr TColor clMaroon = 0x00000080;
constexpr TColor clGreen = 0x00008000;
constexpr TColor clOlive = 0x00008080;
constexpr TColor clNavy = 0x00800000;
constexpr TColor clPurple = 0x00800080;
constexpr TColor clTeal = 0x00808000;
constexpr TColor clGray = 0x00808080;
constexpr TColor clSilver = 0x00C0C0C0;
constexpr TColor clRed = 0x000000FF;
constexpr TColor clLime = 0x0000FF00;
constexpr TColor clYellow = 0x0000FFFF;
constexpr TColor clBlue = 0x00FF0000;
constexpr TColor clFuchsia = 0x00FF00FF;
constexpr TColor clAqua = 0x00FFFF00;
constexpr TColor clWhite = 0x00FFFFFF;

constexpr bool IsSystemColor(TColor c) { return (static_cast<uint32_t>(c) & 0xFF000000u) == 0x80000000u; }
constexpr int RedOf(TColor c) { return c & 0xFF; }
constexpr int GreenOf(TColor c) { return (c >> 8) & 0xFF; }
constexpr int BlueOf(TColor c) { return (c >> 16) & 0xFF; }
constexpr TColor RGBColor(int r, int g, int b) { return r | (g << 8) | (b << 16); }

}  // namespace fw
