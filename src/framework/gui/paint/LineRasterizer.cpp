#include "framework/gui/paint/LineRasterizer.h"

#include <algorithm>
#include <cstdlib>
#include <vector>

#include "framework/core/Rounding.h"
#include "framework/gui/paint/RasterOps.h"

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
    const bool inside = !image.Mask && line_detail::EndsInside(image.Clip, x0, y0, x1, y1, 0);
    if (inside && mode == pmCopy && pattern.Period == 0) {
        line_detail::CopyInside<false>(image, x0, y0, x1, y1, argb);
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

namespace line_detail {

void WideLine2Clipped(const TRasterImage& image, int32_t x0, int32_t y0, int32_t x1, int32_t y1, uint32_t argb,
                      TPenMode mode) {
    if (mode == pmNop || image.Clip.IsEmpty()) return;
    const bool inside = !image.Mask && EndsInside(image.Clip, x0, y0, x1, y1, 1);
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
    const auto clamp = [](int64_t v, int32_t lo, int32_t hi) { return SaturateToInt32(v, lo, hi); };
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

}  // namespace line_detail

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
