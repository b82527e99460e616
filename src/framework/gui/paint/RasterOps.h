#pragma once
// The sixteen raster modes on the 24 colour bits of an RGB32 pixel.

#include <cstdint>

#include "framework/gui/paint/Pen.h"

namespace fw {

// Combines pen colour p with pixel d (both 0x00RRGGBB in the low bits); the
// result keeps the pixel opaque.
inline uint32_t ApplyRasterMode(TPenMode mode, uint32_t p, uint32_t d) {
    uint32_t r = 0;
    switch (mode) {
    case pmBlack: r = 0; break;
    case pmWhite: r = 0xFFFFFFu; break;
    case pmNop: r = d; break;
    case pmNot: r = ~d; break;
    case pmCopy: r = p; break;
    case pmNotCopy: r = ~p; break;
    case pmMergePenNot: r = p | ~d; break;
    case pmMaskPenNot: r = p & ~d; break;
    case pmMergeNotPen: r = ~p | d; break;
    case pmMaskNotPen: r = ~p & d; break;
    case pmMerge: r = p | d; break;
    case pmNotMerge: r = ~(p | d); break;
    case pmMask: r = p & d; break;
    case pmNotMask: r = ~(p & d); break;
    case pmXor: r = p ^ d; break;
    case pmNotXor: r = ~(p ^ d); break;
    }
    return 0xFF000000u | (r & 0xFFFFFFu);
}

}  // namespace fw
