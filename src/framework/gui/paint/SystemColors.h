#pragma once
// Resolution of system colours (0x800000nn) to plain RGB through the palette
// of the running application's style.

#include <QColor>

#include "framework/core/Colors.h"

namespace fw {

// More system colours by their numbers; the chart uses those in Colors.h.
constexpr TColor clBackground = SystemColor(0x01);
constexpr TColor clWindow = SystemColor(0x05);
constexpr TColor clHighlight = SystemColor(0x0D);
constexpr TColor clHighlightText = SystemColor(0x0E);
constexpr TColor clGrayText = SystemColor(0x11);
constexpr TColor clBtnText = SystemColor(0x12);
constexpr TColor cl3DDkShadow = SystemColor(0x15);
constexpr TColor cl3DLight = SystemColor(0x16);
constexpr TColor clInfoText = SystemColor(0x17);
constexpr TColor clInfoBk = SystemColor(0x18);

// A plain colour as it is; a system colour as the style's palette has it
// (black for a number the palette has no role for).
TColor ColorToRGB(TColor color);

// The colour for drawing: resolved, and only its low 24 bits (so clNone
// draws as white, like any colour with stray high bits).
QColor ToQColor(TColor color);

// 0xFFRRGGBB of a resolved colour, as the pixels of an RGB32 image hold it.
inline uint32_t ToQRgb(TColor rgb) {
    return 0xFF000000u | (static_cast<uint32_t>(RedOf(rgb)) << 16) | (static_cast<uint32_t>(GreenOf(rgb)) << 8) |
           static_cast<uint32_t>(BlueOf(rgb));
}

}  // namespace fw
