#pragma once
// The default series colours, handed out in order to series added without a
// colour of their own.

#include <array>
#include <cstddef>
#include <cstdint>

#include "framework/core/Colors.h"

namespace chart {

inline constexpr std::array<fw::TColor, 16> ColorPalette = {
    fw::clRed,  fw::clGreen,  fw::clYellow, fw::clBlue,  fw::clWhite,  fw::clGray,   fw::clFuchsia, fw::clTeal,
    fw::clNavy, fw::clMaroon, fw::clLime,   fw::clOlive, fw::clPurple, fw::clSilver, fw::clAqua,    fw::clBlack,
};

// Entry index mod 16. A negative index counts from the end of the palette
// (-1 is the last entry) instead of reading before its start.
constexpr fw::TColor GetDefaultColor(int32_t index) {
    const int32_t n = static_cast<int32_t>(ColorPalette.size());
    int32_t i = index % n;
    if (i < 0) i += n;
    return ColorPalette[static_cast<std::size_t>(i)];
}

}  // namespace chart
