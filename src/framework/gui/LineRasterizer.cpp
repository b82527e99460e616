#include "framework/gui/LineRasterizer.h"

#include <algorithm>
#include <cstdlib>
#include <vector>

#include "framework/gui/RasterOps.h"

namespace fw {

namespace {

// A line in terms of its longer (major) and shorter (minor) axis.
struct LineSetup {
    bool xMajor = true;
    int64_t steps = 0;  // pixels drawn: the end pixel is left out
    int64_t amaj = 0, amin = 0;
    int32_t smaj = 0, smin = 0;
    int64_t maj0 = 0, min0 = 0;
};

LineSetup Setup(int32_t x0, int32_t y0, int32_t x1, int32_t y1) {
    const int64_t dx = int64_t{x1} - x0, dy = int64_t{y1} - y0;
    LineSetup s;
    s.xMajor = std::llabs(dx) >= std::llabs(dy);
    const int64_t dmaj = s.xMajor ? dx : dy, dmin = s.xMajor ? dy : dx;
    s.amaj = std::llabs(dmaj);
    s.amin = std::llabs(dmin);
    s.smaj = dmaj < 0 ? -1 : 1;
    s.smin = dmin < 0 ? -1 : 1;
    s.maj0 = s.xMajor ? x0 : y0;
    s.min0 = s.xMajor ? y0 : x0;
    s.steps = s.amaj;
    return s;
}

// Steps i in [first, last) whose major coordinate lies in [lo, hi).
void StepRange(const LineSetup& s, int64_t lo, int64_t hi, int64_t& first, int64_t& last) {
    if (s.smaj > 0) {
        first = lo - s.maj0;
        last = hi - s.maj0;
    } else {
        first = s.maj0 - hi + 1;
        last = s.maj0 - lo + 1;
    }
    first = std::max<int64_t>(first, 0);
    last = std::min<int64_t>(last, s.steps);
}

// Walks steps [first, last) calling f(x, y, i). The minor offset at `first`
// comes from the closed form; later steps follow incrementally.
template <typename F>
void Walk(const LineSetup& s, int64_t first, int64_t last, F&& f) {
    if (first >= last) return;
    // err = remainder - 2·major, kept negative between steps
    int64_t q = 0, err = -s.amaj;
    if (first > 0) {
        const __int128 twoMaj = static_cast<__int128>(2) * s.amaj;
        const __int128 num = static_cast<__int128>(2) * first * s.amin + s.amaj;
        q = static_cast<int64_t>(num / twoMaj);
        err = static_cast<int64_t>(num % twoMaj) - 2 * s.amaj;
    }
    const int64_t incr = 2 * s.amin, decr = 2 * s.amaj;
    int64_t maj = s.maj0 + s.smaj * first;
    int64_t mnr = s.min0 + s.smin * q;
    for (int64_t i = first; i < last; ++i) {
        if (s.xMajor)
            f(static_cast<int32_t>(maj), static_cast<int32_t>(mnr), i);
        else
            f(static_cast<int32_t>(mnr), static_cast<int32_t>(maj), i);
        maj += s.smaj;
        err += incr;
        if (err >= 0) {
            err -= decr;
            mnr += s.smin;
        }
    }
}

// The step range that can touch the clip rectangle, given how far a pixel's
// mark reaches before it (0 for a plain pixel, 1 for a 2 × 2 stamp).
void ClippedRange(const LineSetup& s, const TRect& clip, int32_t reach, int64_t& first, int64_t& last) {
    const int64_t lo = s.xMajor ? clip.Left : clip.Top;
    const int64_t hi = s.xMajor ? clip.Right : clip.Bottom;
    StepRange(s, lo, hi + reach, first, last);
}

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
constexpr Reciprocals kReciprocals;

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
void CopyInside(const TRasterImage& image, int32_t x0, int32_t y0, int32_t x1, int32_t y1, uint32_t argb) {
    const intptr_t stride = image.Stride;
    const int32_t dx = x1 - x0, dy = y1 - y0;
    const int32_t adx = dx < 0 ? -dx : dx, ady = dy < 0 ? -dy : dy;
    const intptr_t xStep = dx < 0 ? -1 : 1, yStep = dy < 0 ? -stride : stride;
    const bool xMajor = adx >= ady;
    const intptr_t majStep = xMajor ? xStep : yStep, minStep = xMajor ? yStep : xStep;
    const int32_t n = xMajor ? adx : ady, amin = xMajor ? ady : adx;
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

}  // namespace

TLinePattern ThinPenPattern(TPenStyle style) {
    // Bit i set: step i of the period is drawn.
    auto bits = [](std::initializer_list<uint32_t> runs) {
        TLinePattern p;
        bool on = true;
        for (uint32_t run : runs) {
            for (uint32_t k = 0; k < run; ++k, ++p.Period)
                if (on) p.Mask |= 1u << p.Period;
            on = !on;
        }
        return p;
    };
    switch (style) {
        case psDash: return bits({18, 6});
        case psDot: return bits({3, 3});
        case psDashDot: return bits({9, 6, 3, 6});
        case psDashDotDot: return bits({9, 3, 3, 3, 3, 3});
        case psAlternate: return bits({1, 1});
        default: return {};
    }
}

uint64_t RasterThinLine(const TRasterImage& image, int32_t x0, int32_t y0, int32_t x1, int32_t y1, uint32_t argb,
                        TPenMode mode, TLinePattern pattern, uint64_t phase) {
    const LineSetup s = Setup(x0, y0, x1, y1);
    const uint64_t endPhase = phase + static_cast<uint64_t>(s.steps);
    if (mode == pmNop || image.Clip.IsEmpty()) return endPhase;
    int64_t first = 0, last = s.steps;
    const bool inside = !image.Mask && EndsInside(image.Clip, x0, y0, x1, y1, 0);
    if (inside && mode == pmCopy && pattern.Period == 0) {
        CopyInside<false>(image, x0, y0, x1, y1, argb);
        return endPhase;
    }
    if (!inside) ClippedRange(s, image.Clip, 0, first, last);
    uint32_t* const bits = image.Bits;
    const intptr_t stride = image.Stride;
    auto plot = [&](int32_t x, int32_t y, int64_t i) {
        if (pattern.Period && !((pattern.Mask >> ((phase + static_cast<uint64_t>(i)) % pattern.Period)) & 1u)) return;
        if (!inside && !image.Writable(x, y)) return;
        uint32_t* p = bits + y * stride + x;
        *p = mode == pmCopy ? argb : ApplyRasterMode(mode, argb, *p);
    };
    Walk(s, first, last, plot);
    return endPhase;
}

void RasterWideLine2(const TRasterImage& image, int32_t x0, int32_t y0, int32_t x1, int32_t y1, uint32_t argb,
                     TPenMode mode) {
    if (mode == pmNop) return;
    const bool inside = !image.Mask && EndsInside(image.Clip, x0, y0, x1, y1, 1);
    if (inside && mode == pmCopy) {
        CopyInside<true>(image, x0, y0, x1, y1, argb);
        return;
    }
    if (image.Clip.IsEmpty()) return;
    const LineSetup s = Setup(x0, y0, x1, y1);
    uint32_t* const bits = image.Bits;
    const intptr_t stride = image.Stride;
    const TRect clip = image.Clip;
    int64_t first = 0, last = s.steps;
    if (!inside) ClippedRange(s, clip, 1, first, last);

    if (mode == pmCopy) {
        Walk(s, first, last, [&](int32_t x, int32_t y, int64_t) {
            for (int32_t yy = y - 1; yy <= y; ++yy)
                for (int32_t xx = x - 1; xx <= x; ++xx)
                    if (image.Writable(xx, yy)) bits[yy * stride + xx] = argb;
        });
        return;
    }

    // Other modes: mark the covered pixels first so each is combined once.
    auto clamp = [](int64_t v, int32_t lo, int32_t hi) {
        return static_cast<int32_t>(std::clamp<int64_t>(v, lo, hi));
    };
    const TRect box{clamp(int64_t{std::min(x0, x1)} - 1, clip.Left, clip.Right),
                    clamp(int64_t{std::min(y0, y1)} - 1, clip.Top, clip.Bottom),
                    clamp(int64_t{std::max(x0, x1)} + 1, clip.Left, clip.Right),
                    clamp(int64_t{std::max(y0, y1)} + 1, clip.Top, clip.Bottom)};
    if (box.IsEmpty()) return;
    const int32_t w = box.Width();
    std::vector<uint8_t> covered(static_cast<size_t>(w) * static_cast<size_t>(box.Height()), 0);
    Walk(s, first, last, [&](int32_t x, int32_t y, int64_t) {
        for (int32_t yy = y - 1; yy <= y; ++yy)
            for (int32_t xx = x - 1; xx <= x; ++xx)
                if (box.Contains({xx, yy}) && image.Writable(xx, yy))
                    covered[static_cast<size_t>(yy - box.Top) * w + (xx - box.Left)] = 1;
    });
    for (int32_t yy = box.Top; yy < box.Bottom; ++yy)
        for (int32_t xx = box.Left; xx < box.Right; ++xx)
            if (covered[static_cast<size_t>(yy - box.Top) * w + (xx - box.Left)]) {
                uint32_t* p = bits + yy * stride + xx;
                *p = ApplyRasterMode(mode, argb, *p);
            }
}

void RasterFillRect(const TRasterImage& image, const TRect& r, uint32_t argb) {
    TRect c;
    if (!IntersectRect(c, r, image.Clip)) return;
    if (image.Mask) {
        for (int32_t y = c.Top; y < c.Bottom; ++y)
            for (int32_t x = c.Left; x < c.Right; ++x)
                if (image.Mask[y * image.MaskStride + x]) image.Bits[y * image.Stride + x] = argb;
        return;
    }
    for (int32_t y = c.Top; y < c.Bottom; ++y) std::fill_n(image.Bits + y * image.Stride + c.Left, c.Width(), argb);
}

}  // namespace fw
