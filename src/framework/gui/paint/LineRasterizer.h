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
#include "framework/gui/paint/Pen.h"

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

namespace line_detail {

// Whether every pixel of the line, and for a stamp (reach 1) the pixel up
// and left of it, lies inside the clip. One branch for the usual answer yes.
inline bool EndsInside(const TRect& c, int32_t x0, int32_t y0, int32_t x1, int32_t y1, int32_t reach) {
    const int64_t l = int64_t{c.Left} + reach, t = int64_t{c.Top} + reach;
    return (x0 >= l) & (x1 >= l) & (y0 >= t) & (y1 >= t) & (x0 < c.Right) & (x1 < c.Right) & (y0 < c.Bottom) &
           (y1 < c.Bottom);
}

// Reciprocals ceil(2^32 / n) for the short lines of the fixed-point walk.
constexpr int32_t kShortLine = 1024;
struct Reciprocals {
    uint64_t value[kShortLine];
    constexpr Reciprocals() : value() {
        for (int32_t n = 1; n < kShortLine; ++n) value[n] = ((uint64_t{1} << 32) + n - 1) / n;
    }
};
inline constexpr Reciprocals kReciprocals;

// Copy-mode loop for a line wholly inside the clip. The coordinates are
// image coordinates, so 32-bit arithmetic and pointer steps suffice, and the
// set-up picks its steps without branches: a chart's segments turn every
// which way, and mispredicted branches would cost more than the pixels.
//
// Lines shorter than kShortLine walk the minor axis in 32.32 fixed point,
// pos(i) = 1/2 + i · minor · ceil(2^32 / major), which keeps each step free of
// a carried comparison. The slope errs upwards by less than major / 2^32 per
// step; the exact value (2·i·minor + major) / (2·major) is either a whole
// number or at least 1 / (2·major) below the next one, and major³ < 2^31
// keeps the accumulated excess below that gap, so the floor is exact.
template <bool Wide>
inline void CopyInside(const TRasterImage& image, int32_t x0, int32_t y0, int32_t x1, int32_t y1, uint32_t argb) {
    // Signs, magnitudes and the choice of major axis by masks, not branches.
    const intptr_t stride = image.Stride;
    const int32_t dx = x1 - x0, dy = y1 - y0;
    const int32_t signX = dx >> 31, signY = dy >> 31;  // 0 or -1
    const int32_t adx = (dx ^ signX) - signX, ady = (dy ^ signY) - signY;
    const intptr_t xStep = signX | 1, yStep = stride * (signY | 1);
    const int32_t major32 = -static_cast<int32_t>(adx >= ady);  // -1 when x is the major axis
    const intptr_t majorMask = major32;
    const intptr_t majStep = (xStep & majorMask) | (yStep & ~majorMask);
    const intptr_t minStep = (yStep & majorMask) | (xStep & ~majorMask);
    const int32_t n = (adx & major32) | (ady & ~major32);
    const int32_t amin = (ady & major32) | (adx & ~major32);
    uint32_t* p = Wide ? image.Bits + (y0 - 1) * stride + (x0 - 1) : image.Bits + y0 * stride + x0;
    auto put = [&](uint32_t* q) {
        q[0] = argb;
        if constexpr (Wide) {
            q[1] = argb;
            q[stride] = argb;
            q[stride + 1] = argb;
        }
    };
    if (n < kShortLine) {
        const uint64_t slope = static_cast<uint64_t>(amin) * kReciprocals.value[n];
        uint64_t pos = uint64_t{1} << 31;
        for (int32_t i = 0; i < n; ++i) {
            put(p + static_cast<intptr_t>(pos >> 32) * minStep);
            p += majStep;
            pos += slope;
        }
        return;
    }
    const int32_t incr = 2 * amin, decr = 2 * n;
    int32_t err = -n;
    for (int32_t i = 0; i < n; ++i) {
        put(p);
        p += majStep;
        err += incr;
        const int32_t step = ~(err >> 31);  // all ones when err >= 0
        err -= decr & step;
        p += minStep & step;
    }
}

// Everything but a copy-mode line wholly inside a rectangular clip.
void WideLine2Clipped(const TRasterImage& image, int32_t x0, int32_t y0, int32_t x1, int32_t y1, uint32_t argb,
                      TPenMode mode);

}  // namespace line_detail

// Draws a two-pixel solid line. In copy mode the stamps simply overwrite;
// in any other mode each covered pixel is combined exactly once. The usual
// case (copy mode, wholly inside the clip) is inline: a line series draws one
// such segment per point.
inline void RasterWideLine2(const TRasterImage& image, int32_t x0, int32_t y0, int32_t x1, int32_t y1, uint32_t argb,
                            TPenMode mode) {
    if (mode == pmCopy && !image.Mask && line_detail::EndsInside(image.Clip, x0, y0, x1, y1, 1)) {
        line_detail::CopyInside<true>(image, x0, y0, x1, y1, argb);
        return;
    }
    line_detail::WideLine2Clipped(image, x0, y0, x1, y1, argb, mode);
}

// Fills r (clipped) with argb.
void RasterFillRect(const TRasterImage& image, const TRect& r, uint32_t argb);

}  // namespace fw
