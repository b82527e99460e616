#pragma once
// What a drawing surface holds as its current pen, brush and font: plain
// values with colours already resolved to RGB, ready for each drawing call.

#include <QImage>
#include <cstdint>
#include <string>

#include "framework/core/Colors.h"
#include "framework/gui/paint/Brush.h"
#include "framework/gui/paint/Pen.h"

namespace fw {

struct TDevicePen {
    TColor Color = clBlack;  // plain RGB
    int32_t Width = 1;       // 0 draws like 1
    TPenStyle Style = psSolid;
    TPenMode Mode = pmCopy;

    friend bool operator==(const TDevicePen&, const TDevicePen&) = default;
};

struct TDeviceBrush {
    TColor Color = clWhite;  // plain RGB
    TBrushStyle Style = bsSolid;
    const QImage* Pattern = nullptr;  // borrowed; overrides the style

    friend bool operator==(const TDeviceBrush&, const TDeviceBrush&) = default;
};

// A font as the surface selects it. Height as the framework font has it
// (negative: character height, positive: cell height); Escapement in tenths of
// a degree, counter-clockwise.
struct TLogFont {
    std::string FaceName = "Arial";
    int32_t Height = -11;
    bool Bold = false;
    bool Italic = false;
    bool Underline = false;
    bool StrikeOut = false;
    uint8_t Charset = 1;
    int32_t Escapement = 0;

    friend bool operator==(const TLogFont&, const TLogFont&) = default;
};

// Background modes, by their device numbers.
enum TBackMode : int32_t { bkTransparent = 1, bkOpaque = 2 };

// Text alignment flags: one horizontal and one vertical choice, or-ed.
constexpr uint32_t TA_LEFT = 0;
constexpr uint32_t TA_RIGHT = 2;
constexpr uint32_t TA_CENTER = 6;
constexpr uint32_t TA_TOP = 0;
constexpr uint32_t TA_BOTTOM = 8;
constexpr uint32_t TA_BASELINE = 24;
constexpr uint32_t TA_HORIZONTAL_MASK = 6;
constexpr uint32_t TA_VERTICAL_MASK = 24;

}  // namespace fw
