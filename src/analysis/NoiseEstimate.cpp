#include "analysis/NoiseEstimate.h"

#include "analysis/NoiseGains.h"
#include "analysis/UniversalThreshold.h"

namespace analysis {

double EstimateSampleNoise(std::span<const double> finestDetails) {
    // Level 1's gain is the same at every order; order 2 is the smallest there is.
    static const double finestGain = NoiseGains(2, 1)[0];
    return NoiseSigma(finestDetails) / finestGain;
}

}  // namespace analysis
