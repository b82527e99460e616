#pragma once
// The noise on the samples, estimated from the finest details.

#include <span>

namespace analysis {

// The standard deviation of white Gaussian noise on the samples:
// median(|d|) / 0.6745 over the level-1 details d, divided by the level's
// noise gain (the transform scales the samples' noise by about 1.22 there).
// Level k's noise is this times NoiseGains(...)[k - 1]. Throws fw::Exception
// for no details.
double EstimateSampleNoise(std::span<const double> finestDetails);

}  // namespace analysis
