#pragma once
// Facts about the screen the application runs on.

namespace fw {

// Vertical logical pixels per inch of the primary screen; 96 when there is
// no screen (no running GUI application).
int ScreenPixelsPerInch();
// Bits per pixel of the primary screen; 32 without a screen, where drawing
// goes into 32-bit images only.
int ScreenColorDepth();

}  // namespace fw
