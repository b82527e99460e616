#pragma once
// The value range and pixel span of an axis, and the mappings between them:
// linear, logarithmic and along the depth. Series map every point through
// these, so they are small inline functions over plain values.
//
// Pixel offsets are rounded to the nearest pixel with halves to the even
// neighbour. A value whose offset would not fit in 32 bits, or that is not a
// number, maps to the centre of the span instead of wrapping around.

#include <cmath>
#include <cstdint>

#include "framework/core/Rounding.h"

namespace chart {

// Offsets at or beyond this are not mapped: they would not fit a pixel coordinate.
inline constexpr double kMaxPixelOffset = 2147483647.0;

// The pixels an axis covers along its direction; for a vertical axis Start
// is the top end.
struct TAxisPixelSpan {
    int32_t Start = 0;
    int32_t End = 0;
    int32_t Length = 0;
    int32_t Center = 0;

    static constexpr TAxisPixelSpan FromEnds(int32_t start, int32_t end) {
        const int64_t sum = int64_t{start} + end;
        return {start, end, fw::SaturateToInt32(int64_t{end} - start), static_cast<int32_t>(sum / 2)};
    }
};

// The values an axis shows.
struct TAxisValueRange {
    double Minimum = 0;
    double Maximum = 0;
    double Range = 0;

    static constexpr TAxisValueRange FromBounds(double minimum, double maximum) {
        return {minimum, maximum, maximum - minimum};
    }

    // Range for the mappings: where the difference of two finite ends
    // overflows a double, the wider long double keeps it finite, so values
    // still spread over the pixels.
    long double Span() const {
        return std::isinf(Range) ? static_cast<long double>(Maximum) - Minimum : static_cast<long double>(Range);
    }
};

// Start + offset, or End - offset with flip.
inline int32_t OffsetPixel(const TAxisPixelSpan& span, int64_t offset, bool flip) {
    return fw::SaturateToInt32(flip ? int64_t{span.End} - offset : int64_t{span.Start} + offset);
}

// Linear value to pixel: the minimum at Start, or at End with flip.
inline int32_t LinearValueToPixel(const TAxisValueRange& range, const TAxisPixelSpan& span, double value, bool flip) {
    if (range.Range == 0) return span.Center;
    const auto t = static_cast<double>((static_cast<long double>(value) - range.Minimum) * span.Length / range.Span());
    if (!(std::fabs(t) < kMaxPixelOffset)) return span.Center;
    return OffsetPixel(span, fw::Round(t), flip);
}

// Whether every value from lo to hi takes the linear formula above (none
// lies so far out that it goes to the centre), so that their pixels keep the
// values' order.
inline bool LinearMapsInOrder(const TAxisValueRange& range, const TAxisPixelSpan& span, double lo, double hi) {
    if (range.Range == 0) return true;
    const auto mapped = [&](double value) {
        const auto t =
            static_cast<double>((static_cast<long double>(value) - range.Minimum) * span.Length / range.Span());
        return std::fabs(t) < kMaxPixelOffset;
    };
    return mapped(lo) && mapped(hi);
}

// Linear pixel to value. A horizontal axis counts up from Start, a vertical
// one down from its maximum at Start; inverted axes count from End instead.
inline double LinearPixelToValue(const TAxisValueRange& range, const TAxisPixelSpan& span, int32_t pixel, bool inverted,
                                 bool horizontal) {
    if (span.Length <= 0) return 0;
    const int64_t d = inverted ? int64_t{span.End} - pixel : int64_t{pixel} - span.Start;
    const auto value = static_cast<long double>(d) * range.Span() / span.Length;
    return static_cast<double>(horizontal ? range.Minimum + value : range.Maximum - value);
}

// A length in values as a length in pixels.
inline int32_t LinearSizeToPixels(const TAxisValueRange& range, const TAxisPixelSpan& span, double value) {
    if (!(value > 0) || range.Range == 0) return 0;
    const auto t = static_cast<double>(static_cast<long double>(value) * span.Length / range.Span());
    if (!(std::fabs(t) < kMaxPixelOffset)) return 0;
    return static_cast<int32_t>(fw::Round(t));
}

// Natural logarithms of the range ends; a non-positive end counts as 0.
struct TAxisLogRange {
    double LogMin = 0;
    double LogMax = 0;
    double LogRange = 0;

    static TAxisLogRange From(const TAxisValueRange& range) {
        TAxisLogRange r;
        r.LogMin = range.Minimum > 0 ? std::log(range.Minimum) : 0;
        r.LogMax = range.Maximum > 0 ? std::log(range.Maximum) : 0;
        r.LogRange = r.LogMax - r.LogMin;
        return r;
    }
};

// Logarithmic value to pixel. isX: measured from Start (else from End).
// A non-positive value goes to the end where the lowest values lie.
inline int32_t LogValueToPixel(const TAxisLogRange& log, const TAxisPixelSpan& span, double value, bool isX,
                               bool inverted) {
    if (log.LogRange == 0) return span.Center;
    if (!(value > 0)) return isX != inverted ? span.Start : span.End;
    const double t = inverted ? log.LogMax - std::log(value) : std::log(value) - log.LogMin;
    const auto offset = static_cast<double>(static_cast<long double>(span.Length) * t / log.LogRange);
    if (!(std::fabs(offset) < kMaxPixelOffset)) return span.Center;
    return OffsetPixel(span, fw::Round(offset), !isX);
}

inline double LogPixelToValue(const TAxisValueRange& range, const TAxisLogRange& log, const TAxisPixelSpan& span,
                              int32_t pixel, bool horizontal, bool inverted) {
    if (pixel == span.Start) return horizontal == inverted ? range.Maximum : range.Minimum;
    if (pixel == span.End) return horizontal == inverted ? range.Minimum : range.Maximum;
    if (log.LogRange == 0 || span.Length == 0) return range.Minimum;
    const int64_t d = inverted ? int64_t{span.End} - pixel : int64_t{pixel} - span.Start;
    const auto t = static_cast<double>(static_cast<long double>(d) * log.LogRange / span.Length);
    return horizontal ? std::exp(log.LogMin + t) : std::exp(log.LogMax - t);
}

inline int32_t LogSizeToPixels(const TAxisLogRange& log, const TAxisPixelSpan& span, double value) {
    if (!(value > 0) || log.LogRange == 0) return 0;
    const auto t = static_cast<double>(static_cast<long double>(std::log(value)) * span.Length / log.LogRange);
    if (!(std::fabs(t) < kMaxPixelOffset)) return 0;
    return static_cast<int32_t>(fw::Round(t));
}

// Depth of a value in a box totalDepth pixels deep: the minimum at the
// front, or at the back when inverted.
inline int32_t DepthValueToPixel(const TAxisValueRange& range, int32_t totalDepth, double value, bool inverted) {
    if (range.Range == 0) return totalDepth / 2;
    const long double d =
        inverted ? static_cast<long double>(range.Maximum) - value : static_cast<long double>(value) - range.Minimum;
    const auto t = static_cast<double>(totalDepth * d / range.Span());
    if (!(std::fabs(t) < kMaxPixelOffset)) return totalDepth / 2;
    return static_cast<int32_t>(fw::Round(t));
}

}  // namespace chart
