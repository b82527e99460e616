#pragma once
// The chart font: the framework font made with the chart's default name and
// size, black, no style.

#include <memory>
#include <string>

#include "framework/gui/paint/Font.h"

namespace chart {

// "Arial", or the framework's default font name in a Japanese locale.
std::string GetDefaultFontName();
// 8 points (in a Japanese locale see CheckJapaneseFontSize).
int32_t GetDefaultFontSize();
// In a Japanese locale the 8-point default becomes the size of the
// framework's default font, which suits its glyphs better.
void CheckJapaneseFontSize(int32_t& size);
// The screen's vertical pixels per inch.
int32_t GetScreenLogPixels();

// A new default chart font at the screen's pixels per inch, or at
// pixelsPerInch when given (off-screen drawing that must not depend on the
// screen passes 96).
std::unique_ptr<fw::TFont> CreateDefaultFont(fw::TNotifyEvent onChange, int32_t pixelsPerInch = 0);

// Sets font to the default chart font values (the listener is kept).
void ApplyDefaultFont(fw::TFont& font);

// Default size and name, black, no style, default character set.
bool IsDefaultFont(const fw::TFont& font);

}  // namespace chart
