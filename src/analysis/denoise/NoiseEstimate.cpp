#include "analysis/denoise/NoiseEstimate.h"

#include <algorithm>
#include <bit>
#include <cmath>
#include <cstdint>
#include <vector>

#include "analysis/transform/LevelGeometry.h"
#include "analysis/transform/NoiseGains.h"
#include "framework/core/Exceptions.h"

// The median of millions of details is found without a copy of them all: a
// sample of every 64th magnitude brackets the middle rank, one pass counts
// the magnitudes below the bracket and gathers those within it (a percent or
// so), and only those are selected among. Should the sample mislead, a second
// pass gathers every magnitude. Either way the value is exactly the median.

namespace analysis {
namespace {

// Below this many details the bracket would save nothing worth a pass.
constexpr std::size_t kBracketFrom = 16384;
constexpr std::size_t kSampleStep = 64;

// The bit patterns of non-negative doubles sort as the values do.
uint64_t Key(double v) { return std::bit_cast<uint64_t>(std::fabs(v)); }

// The k-th smallest magnitude (from 0) and the one after it (itself for the last).
struct MiddlePair {
    double kth;
    double next;
};

// Keys of magnitudes around rank k, from a sample: five standard errors of
// the sample's rank fraction either side.
std::pair<uint64_t, uint64_t> Bracket(const double* first, std::size_t stride, std::size_t count, std::size_t k) {
    std::vector<uint64_t> sample;
    for (std::size_t i = 0; i < count; i += kSampleStep) sample.push_back(Key(first[i * stride]));
    std::sort(sample.begin(), sample.end());
    const double m = static_cast<double>(sample.size());
    const double fraction = (static_cast<double>(k) + 0.5) / static_cast<double>(count);
    const double margin = 2.5 / std::sqrt(m) + 2.0 / m;
    const auto rank = [&](double f) { return static_cast<std::size_t>(std::clamp(f * m, 0.0, m - 1)); };
    return {sample[rank(fraction - margin)], sample[rank(fraction + margin)]};
}

MiddlePair SelectMagnitudes(const double* first, std::size_t stride, std::size_t count, std::size_t k) {
    std::pair<uint64_t, uint64_t> range{0, UINT64_MAX};
    if (count >= kBracketFrom) range = Bracket(first, stride, count, k);
    const std::size_t needed = std::min(k + 2, count);  // ranks k and k + 1
    std::vector<double> candidates;
    for (;;) {
        std::size_t below = 0;
        candidates.clear();
        // One unsigned comparison tests the bracket (a key below it wraps
        // around past the width): two would cost the pass a branch per value.
        const uint64_t width = range.second - range.first;
        const double* p = first;
        for (std::size_t i = 0; i < count; ++i, p += stride) {
            const uint64_t key = Key(*p);
            below += key < range.first;
            if (key - range.first <= width) candidates.push_back(std::fabs(*p));
        }
        if (below <= k && below + candidates.size() >= needed) {
            const auto kth = candidates.begin() + static_cast<std::ptrdiff_t>(k - below);
            std::nth_element(candidates.begin(), kth, candidates.end());
            const double next = kth + 1 == candidates.end() ? *kth : *std::min_element(kth + 1, candidates.end());
            return {*kth, next};
        }
        range = {0, UINT64_MAX};
    }
}

}  // namespace

double EstimateSampleNoise(const double* first, std::size_t stride, std::size_t count) {
    if (count == 0) throw fw::Exception("The noise estimate needs at least one coefficient");
    // Level 1's gain is the same at every order; order 2 is the smallest there is.
    static const double finestGain = NoiseGains(2, 1)[0];
    const std::size_t half = count / 2;
    double median = 0;
    if (count % 2 != 0) {
        median = SelectMagnitudes(first, stride, count, half).kth;
    } else {
        const MiddlePair middle = SelectMagnitudes(first, stride, count, half - 1);
        median = 0.5 * middle.kth + 0.5 * middle.next;
    }
    return median / kMadPerSigma / finestGain;
}

double EstimateSampleNoise(std::span<const double> finestDetails) {
    return EstimateSampleNoise(finestDetails.data(), 1, finestDetails.size());
}

double SampleNoiseOf(const double* y, int32_t j, Wavelet wavelet) {
    const LevelGeometry finest = LevelGeometry::Details(j, 1);
    const double linear = EstimateSampleNoise(y + finest.first, finest.stride, static_cast<std::size_t>(finest.count));
    if (wavelet == Wavelet::Linear) return linear;
    return linear * (NoiseGains(2, 1)[0] / NoiseGains(2, 1, wavelet)[0]);
}

}  // namespace analysis
