#pragma once
// The one pass that shrinks a decomposition's levels in place: the denoising,
// Apply to All Levels and the undo history's cuts all run it, so that they
// shrink, count and sum alike. Positions are visited in blocks of 32 KiB,
// every cut's coefficients in a block while it sits in the cache: level by
// level, each of the finest levels alone would sweep every cache line of the
// buffer.

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <span>
#include <type_traits>
#include <vector>

#include "analysis/denoise/Shrinkage.h"
#include "analysis/transform/LevelGeometry.h"

namespace analysis {

// One level's coefficients shrunk by one threshold.
struct LevelCut {
    LevelGeometry level;
    double threshold = 0;
    Shrink shrink = Shrink::Hard;
};

// What a caller that keeps nothing of the changes hands the sweep.
struct IgnoreChanges {
    void operator()(std::size_t, double, double) const {}
};

namespace sweep {

constexpr std::size_t kBlockPositions = std::size_t{1} << 12;

// The first coefficient of level l at position p or beyond; l.count if none.
inline int32_t FirstIndexFrom(const LevelGeometry& l, std::size_t p) {
    const std::size_t i = p <= l.first ? 0 : (p - l.first + l.stride - 1) / l.stride;
    return i < static_cast<std::size_t>(l.count) ? static_cast<int32_t>(i) : l.count;
}

// Coefficients [from, to) of cut's level shrunk, each handed to `seen`.
template <typename Rule, typename Seen>
void ShrinkRun(double* y, const LevelCut& cut, int32_t from, int32_t to, bool measure, ShrinkOutcome& outcome,
               Rule rule, Seen& seen) {
    const std::size_t stride = cut.level.stride;
    if constexpr (std::is_same_v<std::remove_cvref_t<Seen>, IgnoreChanges>) {
        // Nothing to keep or count: the plain cut streams at the memory's pace.
        if (!measure) return ShrinkInPlace(y + cut.level.Position(from), stride, to - from, cut.threshold, cut.shrink);
    }
    std::size_t position = cut.level.Position(from);
    // Two lanes of sums, so that the additions keep up with the memory;
    // measured only when asked, as they still cost a plain cut a third.
    double before[2] = {0, 0}, after[2] = {0, 0};
    int64_t zeroed = 0;
    for (int32_t i = from; i < to; ++i, position += stride) {
        const double old = y[position];
        const double now = rule(old, cut.threshold);
        y[position] = now;
        seen(position, old, now);
        if (measure) {
            before[i & 1] += old * old;
            after[i & 1] += now * now;
            zeroed += now == 0.0;
        }
    }
    outcome.energyBefore += before[0] + before[1];
    outcome.energyAfter += after[0] + after[1];
    outcome.zeroed += zeroed;
}

}  // namespace sweep

// Shrinks each cut's level of y (the cuts cover distinct levels) and hands
// every coefficient it visits to seen(position, old, new), in the order
// visited; returns what each cut did when asked to measure (zeros otherwise).
template <typename Seen>
std::vector<ShrinkOutcome> SweepLevels(double* y, std::span<const LevelCut> cuts, bool measure, Seen&& seen) {
    std::size_t end = 0;  // past the last position a cut reaches
    for (const LevelCut& cut : cuts) {
        if (cut.level.count > 0) end = std::max(end, cut.level.Position(cut.level.count - 1) + 1);
    }
    std::vector<ShrinkOutcome> outcomes(cuts.size());
    for (std::size_t from = 0; from < end; from += sweep::kBlockPositions) {
        for (std::size_t k = 0; k < cuts.size(); ++k) {
            const LevelCut& cut = cuts[k];
            const int32_t lo = sweep::FirstIndexFrom(cut.level, from);
            const int32_t hi = sweep::FirstIndexFrom(cut.level, from + sweep::kBlockPositions);
            if (lo == hi) continue;
            if (cut.shrink == Shrink::Hard) {
                const auto hard = [](double c, double t) { return HardShrink(c, t); };
                sweep::ShrinkRun(y, cut, lo, hi, measure, outcomes[k], hard, seen);
            } else {
                const auto soft = [](double c, double t) { return SoftShrink(c, t); };
                sweep::ShrinkRun(y, cut, lo, hi, measure, outcomes[k], soft, seen);
            }
        }
    }
    return outcomes;
}

// The same, for a caller that keeps nothing of the changes.
std::vector<ShrinkOutcome> SweepLevels(double* y, std::span<const LevelCut> cuts, bool measure);

// How many of level's coefficients are zero, and their sum of squares (as
// energyBefore and energyAfter).
ShrinkOutcome MeasureLevel(const double* y, const LevelGeometry& level);

}  // namespace analysis
