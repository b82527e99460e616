#pragma once
// The universal threshold for hard thresholding: the largest magnitude that
// Gaussian noise of the estimated level is unlikely to exceed anywhere in a
// signal of n samples,
//
//   T = sigma * sqrt(2 ln n),   sigma = median(|d|) / 0.6745,
//
// where d are detail coefficients that are mostly noise (the finest level's,
// as a rule) and n is the length of the signal they were taken from, that is
// the N = 2^J + 1 samples, not the number of coefficients in d.

#include <cstdint>
#include <span>

#include "framework/core/Exceptions.h"

namespace analysis {

// The noise level median(|d|) / 0.6745; the median of an even count is the
// mean of the two middle magnitudes. Throws fw::Exception for no coefficients.
double NoiseSigma(std::span<const double> details);

// sigma * sqrt(2 ln n) with sigma = NoiseSigma(details); n >= 1 (n = 1 gives 0).
// Throws fw::Exception for no coefficients or n < 1.
double UniversalThreshold(std::span<const double> details, int64_t signalLength);

}  // namespace analysis
