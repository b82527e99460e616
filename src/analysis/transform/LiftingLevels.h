#pragma once
// The Haar and Cubic lifting transforms, level by level: each level runs its
// predict step over all its odd points, then its update step over all its
// evens. (The Linear pair has a sweep of its own that runs all levels in one
// pass over the buffer.)
//
// Near the ends the Cubic steps fall back to lower orders, so that they never
// reach past the grid and invent no detail there: the first and last odd
// points are predicted linearly from their two neighbours, the evens next to
// the ends updated by a quarter of each neighbouring detail, and the two end
// points by half of their one detail, as in the Linear pair.

#include <cstdint>

#include "analysis/transform/Wavelet.h"

namespace analysis {

// Levels 1 ... levels of the 2^j + 1 samples at x, in place; wavelet is Haar
// or Cubic; 1 <= levels <= j. No checks, no allocation.
void ForwardLevels(Wavelet wavelet, double* x, int32_t j, int32_t levels);

// Undoes levels ... 1.
void InverseLevels(Wavelet wavelet, double* x, int32_t j, int32_t levels);

}  // namespace analysis
