#pragma once
// The noise on the samples, estimated from the finest details.

#include <cstddef>
#include <cstdint>
#include <span>

#include "analysis/transform/Wavelet.h"

namespace analysis {

// The median absolute deviation of Gaussian noise is 0.6745 of its sigma.
constexpr double kMadPerSigma = 0.6745;

// The standard deviation of white Gaussian noise on the samples:
// median(|d|) / 0.6745 over the level-1 details d (NoiseSigma's value, the
// median of an even count the mean of the two middle magnitudes), divided
// by the level's noise gain (the transform scales the samples' noise by
// about 1.22 there). Level k's noise is this times NoiseGains(...)[k - 1].
// Throws fw::Exception for no details.
double EstimateSampleNoise(std::span<const double> finestDetails);

// The same over the `count` finite details at first, first + stride, ... in
// place, without a copy of them: at 2^24 + 1 samples the details alone are
// 64 MiB.
double EstimateSampleNoise(const double* first, std::size_t stride, std::size_t count);

// The same over the level-1 details of y, the 2^j + 1 values of a
// decomposition of order j (any number of levels) by `wavelet`: what every
// rule, the suggestion and the residual take as the samples' noise.
double SampleNoiseOf(const double* y, int32_t j, Wavelet wavelet = Wavelet::Linear);

}  // namespace analysis
