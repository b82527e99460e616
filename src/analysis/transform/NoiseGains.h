#pragma once
// How much white noise on the samples each level of the transform keeps.
//
// Every transform of the family is linear but not orthonormal: every
// coefficient is a row of the analysis matrix applied to the samples, so unit
// white noise gives it a variance equal to that row's squared norm. Away from the ends every
// coefficient of a level has the same row up to a shift, and that row does not
// depend on J. One gain per level is that interior value; it serves the whole
// level, including the few coefficients next to the ends whose rows differ a
// little (the steps change next to the ends): the rules work
// with one noise level per level, and a handful of coefficients out of a level
// would not move its threshold.

#include <cstdint>
#include <vector>

#include "analysis/transform/Wavelet.h"

namespace analysis {

// levels + 1 entries: entry k - 1 the standard deviation of a level-k detail
// for unit white noise on the samples (k = 1 ... levels), entry `levels` that
// of an approximation value. Requires 1 <= levels <= j; the cost is O(levels).
std::vector<double> NoiseGains(int32_t j, int32_t levels, Wavelet wavelet = Wavelet::Linear);

}  // namespace analysis
