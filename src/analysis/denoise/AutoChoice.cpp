#include "analysis/denoise/AutoChoice.h"

#include <algorithm>
#include <cstddef>
#include <random>

#include "analysis/denoise/NoiseEstimate.h"
#include "analysis/transform/LevelGeometry.h"
#include "analysis/transform/WaveletTransform.h"

namespace analysis {
namespace {

// Signals up to this order are judged whole; longer ones on kStretches
// stretches of order kStretchOrder.
constexpr int32_t kWholeOrder = 16;
constexpr int32_t kStretchOrder = 14;
constexpr int kStretches = 4;

// The probe's step, in units of the noise: small enough that the estimate
// stays local, large enough that a step crosses a threshold now and then
// (measured on bench/denoise_quality.py: 0.3 chooses better than 0.1, 0.01
// and 1).
constexpr double kProbeStep = 0.3;

bool Agrees(const AutoCandidate& candidate, const AutoFixed& fixed) {
    return (!fixed.wavelet || *fixed.wavelet == candidate.wavelet) && (!fixed.rule || *fixed.rule == candidate.rule) &&
           (!fixed.shrink || *fixed.shrink == candidate.shrink);
}

DenoiseOptions OptionsOf(const AutoCandidate& candidate, const DenoiseOptions& base) {
    DenoiseOptions options = base;
    options.wavelet = candidate.wavelet;
    options.rule = candidate.rule;
    options.shrink = candidate.shrink;
    options.wiener = candidate.wiener;
    options.keepUnhelpedLevels = true;
    return options;
}

struct Stretch {
    std::vector<double> samples;
    std::vector<double> probed;  // samples + e sigma b
    std::vector<double> probe;   // b
};

std::vector<Stretch> Stretches(const double* x, int32_t j, int32_t order, double sigma) {
    const int64_t n = SamplesOfOrder(j);
    const int64_t length = SamplesOfOrder(order);
    const int count = order == j ? 1 : kStretches;
    // A fixed seed: the same signal is always judged alike.
    std::mt19937_64 random(20261210);
    std::normal_distribution<double> gauss;
    std::vector<Stretch> stretches;
    for (int s = 0; s < count; ++s) {
        const int64_t first = count == 1 ? 0 : s * (n - length) / (count - 1);
        Stretch stretch;
        stretch.samples.assign(x + first, x + first + length);
        for (const double v : stretch.samples) {
            stretch.probe.push_back(gauss(random));
            stretch.probed.push_back(v + kProbeStep * sigma * stretch.probe.back());
        }
        stretches.push_back(std::move(stretch));
    }
    return stretches;
}

// SURE of the candidate over the stretches: the squared distance of its
// result from the samples, less the noise, plus twice the noise times the
// divergence the probe measures.
double EstimatedRisk(const std::vector<Stretch>& stretches, int32_t order, const DenoiseOptions& options,
                     double sigma) {
    double risk = 0;
    for (const Stretch& stretch : stretches) {
        const std::vector<double> f = Denoise(stretch.samples.data(), order, options).signal;
        const std::vector<double> g = Denoise(stretch.probed.data(), order, options).signal;
        double residual = 0;
        double divergence = 0;
        for (std::size_t i = 0; i < f.size(); ++i) {
            residual += (f[i] - stretch.samples[i]) * (f[i] - stretch.samples[i]);
            divergence += stretch.probe[i] * (g[i] - f[i]);
        }
        divergence /= kProbeStep * sigma;
        const auto n = static_cast<double>(f.size());
        risk += (residual - n * sigma * sigma + 2 * sigma * sigma * divergence) / n;
    }
    return risk / static_cast<double>(stretches.size());
}

// The samples' noise: the lesser of the estimates the finest details of the
// Linear and the Cubic predictors give. On pure noise the two agree; on a
// signal with detail of its own at the finest scale the one that predicts it
// better takes less of it for noise.
double SampleNoise(const double* x, int32_t j) {
    double least = 0;
    for (const Wavelet wavelet : {Wavelet::Linear, Wavelet::Cubic}) {
        std::vector<double> y(x, x + SamplesOfOrder(j));
        ForwardTransform(wavelet, y.data(), j, 1);
        const double sigma = SampleNoiseOf(y.data(), j, wavelet);
        least = wavelet == Wavelet::Linear ? sigma : std::min(least, sigma);
    }
    return least;
}

}  // namespace

AutoChoice ChooseAutomatically(const double* x, int32_t j, const DenoiseOptions& base, const AutoFixed& fixed) {
    CheckDenoiseOptions(j, base);
    const int32_t levels = base.levels == 0 ? j : base.levels;
    const double sigma = SampleNoise(x, j);
    AutoChoice choice;
    choice.noiseRisk = sigma * sigma;
    for (const AutoCandidate& candidate : kAutoCandidates) {
        if (Agrees(candidate, fixed)) choice.candidates.push_back(candidate);
    }
    if (choice.candidates.empty()) {
        // What the caller fixed is no candidate: it is the choice, the rest
        // as the first candidate has it.
        AutoCandidate own = kAutoCandidates[0];
        own.wavelet = fixed.wavelet.value_or(own.wavelet);
        own.rule = fixed.rule.value_or(own.rule);
        own.shrink = fixed.shrink.value_or(own.shrink);
        own.wiener = own.wavelet;
        choice.candidates.push_back(own);
    }
    const auto keep = [&] {
        choice.keepsSignal = true;
        choice.options = base;
        choice.options.rule = ThresholdRule::Fixed;
        choice.options.fixedThreshold = 0;
        choice.options.shrink = Shrink::Hard;
        choice.options.shifts = 1;
        choice.options.wiener.reset();
        return choice;
    };
    if (sigma == 0) {
        // No noise: nothing to take away.
        choice.risks.assign(choice.candidates.size(), 0.0);
        return keep();
    }
    const int32_t order = j <= kWholeOrder ? j : kStretchOrder;
    const std::vector<Stretch> stretches = Stretches(x, j, order, sigma);
    DenoiseOptions judged = base;
    judged.levels = std::min(levels, order);
    judged.noise = sigma;
    // Thresholds given for some items hold whatever the candidate; the
    // candidates are told apart by the rest.
    judged.itemThresholds.clear();
    for (const AutoCandidate& candidate : choice.candidates) {
        choice.risks.push_back(EstimatedRisk(stretches, order, OptionsOf(candidate, judged), sigma));
    }
    const auto best = std::min_element(choice.risks.begin(), choice.risks.end()) - choice.risks.begin();
    if (choice.risks[static_cast<std::size_t>(best)] >= choice.noiseRisk) return keep();
    choice.options = OptionsOf(choice.candidates[static_cast<std::size_t>(best)], base);
    // The noise every candidate was judged by: the finest details of another
    // transform would take a smooth signal's slope for noise.
    choice.options.noise = sigma;
    return choice;
}

}  // namespace analysis
