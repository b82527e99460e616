#pragma once
// Shrinking a level's coefficients towards zero by a threshold T.

#include <cmath>
#include <cstddef>
#include <cstdint>

namespace analysis {

enum class Shrink {
    Hard,  // keep a coefficient above T, zero the others (HardThreshold's rule)
    Soft,  // move every coefficient T towards zero, stopping at zero
};

// A coefficient whose magnitude does not exceed t becomes +0.0, as in HardThreshold.
inline double HardShrink(double c, double t) { return std::fabs(c) > t ? c : 0.0; }
inline double SoftShrink(double c, double t) { return std::fabs(c) > t ? std::copysign(std::fabs(c) - t, c) : 0.0; }

struct ShrinkOutcome {
    int64_t zeroed = 0;       // coefficients that are 0 afterwards: |c| <= T
    double energyBefore = 0;  // sum of squares before
    double energyAfter = 0;   // and after
};

// The share of the energy left: energyAfter / energyBefore, 1 for a level
// that had none.
inline double EnergyKept(const ShrinkOutcome& outcome) {
    return outcome.energyBefore > 0 ? outcome.energyAfter / outcome.energyBefore : 1.0;
}

// Shrinks the `count` coefficients at first, first + stride, ... in place.
void ShrinkInPlace(double* first, std::size_t stride, int64_t count, double t, Shrink shrink);

// The same, telling what it did.
ShrinkOutcome ShrinkCoefficients(double* first, std::size_t stride, int64_t count, double t, Shrink shrink);

}  // namespace analysis
