#pragma once
// The automatic denoising: which transform, rule, shrinkage and Wiener stage
// to use, chosen from the noisy signal alone by Stein's unbiased estimate of
// each candidate's risk (SURE), its divergence taken by Monte Carlo (Ramani,
// Blu and Unser 2008): div f(x) ~ b . (f(x + e b) - f(x)) / e for a random
// Gaussian b, which holds for every candidate alike, hard thresholding and
// the Wiener stage's dependence on its pilot included.

#include <cstdint>
#include <optional>
#include <vector>

#include "analysis/denoise/Denoise.h"

namespace analysis {

struct AutoCandidate {
    Wavelet wavelet;
    ThresholdRule rule;
    Shrink shrink;
    std::optional<Wavelet> wiener;  // the second stage's transform, if any
};

// What the choice is made among (bench/denoise_quality.py measures them):
// the universal rule, hard, for blocky, bumpy and smooth signals by the
// transform that suits each, with and without a Wiener stage by the same;
// and SURE, soft, whose Wiener stage does best by the Linear pair. Every
// candidate keeps the levels its shrinking does not help.
inline constexpr AutoCandidate kAutoCandidates[] = {
    {Wavelet::Haar, ThresholdRule::Universal, Shrink::Hard, Wavelet::Haar},
    {Wavelet::Linear, ThresholdRule::Universal, Shrink::Hard, Wavelet::Linear},
    {Wavelet::Cubic, ThresholdRule::Universal, Shrink::Hard, Wavelet::Cubic},
    {Wavelet::Haar, ThresholdRule::Sure, Shrink::Soft, Wavelet::Linear},
    {Wavelet::Linear, ThresholdRule::Sure, Shrink::Soft, Wavelet::Linear},
    {Wavelet::Cubic, ThresholdRule::Sure, Shrink::Soft, Wavelet::Linear},
    {Wavelet::Haar, ThresholdRule::Universal, Shrink::Hard, std::nullopt},
    {Wavelet::Linear, ThresholdRule::Universal, Shrink::Hard, std::nullopt},
    {Wavelet::Cubic, ThresholdRule::Universal, Shrink::Hard, std::nullopt},
};

// The parts of the choice the caller fixed; a candidate must agree with them.
struct AutoFixed {
    std::optional<Wavelet> wavelet;
    std::optional<ThresholdRule> rule;
    std::optional<Shrink> shrink;
};

struct AutoChoice {
    // The options to denoise with: base's levels and shifts, the chosen
    // candidate's parts and the noise estimated; or, when no candidate's
    // estimated risk is below keeping the signal (or there is no noise), a
    // fixed threshold of 0 without shifts, which keeps every level. Any
    // thresholds base gives for items stand.
    DenoiseOptions options;
    bool keepsSignal = false;
    std::vector<AutoCandidate> candidates;  // those considered
    std::vector<double> risks;              // each one's estimated mean squared error per sample
    double noiseRisk = 0;                   // keeping the signal's: sigma^2
};

// x: the 2^j + 1 samples, all finite. Long signals are judged on four
// stretches of 2^14 + 1 samples spread over them, the noise estimated on
// the whole. Each candidate is judged with base's shifts: they help the
// hard thresholds far more than the soft ones, so a ranking without them
// picks the wrong candidate. Throws what Denoise throws.
AutoChoice ChooseAutomatically(const double* x, int32_t j, const DenoiseOptions& base, const AutoFixed& fixed);

}  // namespace analysis
