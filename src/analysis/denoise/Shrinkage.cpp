#include "analysis/denoise/Shrinkage.h"

#include <bit>
#include <cmath>
#include <cstdint>

namespace analysis {

void ShrinkInPlace(double* first, std::size_t stride, int64_t count, double t, Shrink shrink) {
    // One loop per kind: the choice stays out of the loop, which then only
    // streams through the level.
    double* c = first;
    if (shrink == Shrink::Hard) {
        // HardShrink's value as a mask on the bits, without a branch: where
        // signal and noise mix, which coefficients survive is a coin toss.
        for (int64_t i = 0; i < count; ++i, c += stride) {
            const uint64_t keep = uint64_t{0} - static_cast<uint64_t>(std::fabs(*c) > t);
            *c = std::bit_cast<double>(std::bit_cast<uint64_t>(*c) & keep);
        }
    } else {
        for (int64_t i = 0; i < count; ++i, c += stride) *c = SoftShrink(*c, t);
    }
}

ShrinkOutcome ShrinkCoefficients(double* first, std::size_t stride, int64_t count, double t, Shrink shrink) {
    // Four lanes of sums: one chain of additions would hold the loop to the
    // adder's latency, far below the memory's pace.
    double before[4] = {0, 0, 0, 0};
    double after[4] = {0, 0, 0, 0};
    int64_t zeroed[4] = {0, 0, 0, 0};
    const auto step = [&](double* c, int k) {
        const double b = *c;
        const double a = shrink == Shrink::Hard ? HardShrink(b, t) : SoftShrink(b, t);
        before[k] += b * b;
        after[k] += a * a;
        zeroed[k] += a == 0.0;
        *c = a;
    };
    double* c = first;
    int64_t i = 0;
    for (; i + 4 <= count; i += 4, c += 4 * stride) {
        for (int k = 0; k < 4; ++k) step(c + k * stride, k);
    }
    for (; i < count; ++i, c += stride) step(c, 0);
    ShrinkOutcome outcome;
    outcome.energyBefore = (before[0] + before[1]) + (before[2] + before[3]);
    outcome.energyAfter = (after[0] + after[1]) + (after[2] + after[3]);
    outcome.zeroed = zeroed[0] + zeroed[1] + zeroed[2] + zeroed[3];
    return outcome;
}

}  // namespace analysis
