#pragma once
// Our own rasteriser for the thin lines a chart draws by the thousand: one and
// two pixel lines written straight into the memory of an RGB32 image.
//
// A line from (x0, y0) to (x1, y1) sets one pixel per step along its longer
// axis, the end pixel excluded; along the shorter axis step i lands on the
// nearest pixel, floor((2·i·minor + major) / (2·major)), a half going away
// from the start. A two-pixel line is that line with each pixel stamped by a
// 2 × 2 square whose top-left lies one pixel up and left.

#include <cstdint>

#include "framework/core/Geometry.h"
#include "framework/gui/Pen.h"

namespace fw {

struct TRasterImage {
    uint32_t* Bits = nullptr;
    intptr_t Stride = 0;  // pixels per row
    TRect Clip;           // only pixels inside are written; lies inside the image
    // A clip region that is not a rectangle: one byte per pixel, non-zero
    // where drawing is allowed (Clip is then the region's bounding box).
    const uint8_t* Mask = nullptr;
    intptr_t MaskStride = 0;

    bool Writable(int32_t x, int32_t y) const {
        return x >= Clip.Left && x < Clip.Right && y >= Clip.Top && y < Clip.Bottom &&
               (!Mask || Mask[y * MaskStride + x]);
    }
};

// An on/off pattern along a line, one bit per step, repeating every Period
// steps; Period 0 is solid.
struct TLinePattern {
    uint32_t Mask = 0;
    uint32_t Period = 0;
};

// The pattern of a one-pixel pen: dashes 18 on 6 off, dots 3 on 3 off,
// dash-dot 9-6-3-6, dash-dot-dot 9-3-3-3-3-3, alternate every other pixel.
TLinePattern ThinPenPattern(TPenStyle style);

// Draws a one-pixel line; argb is the pen colour as 0xFFRRGGBB. The pattern
// starts at step `phase`; the answer is the phase after the line, so that a
// figure's sides continue one pattern.
uint64_t RasterThinLine(const TRasterImage& image, int32_t x0, int32_t y0, int32_t x1, int32_t y1, uint32_t argb,
                        TPenMode mode, TLinePattern pattern = {}, uint64_t phase = 0);

// Draws a two-pixel solid line. In copy mode the stamps simply overwrite;
// in any other mode each covered pixel is combined exactly once.
void RasterWideLine2(const TRasterImage& image, int32_t x0, int32_t y0, int32_t x1, int32_t y1, uint32_t argb,
                     TPenMode mode);

// Fills r (clipped) with argb.
void RasterFillRect(const TRasterImage& image, const TRect& r, uint32_t argb);

}  // namespace fw
