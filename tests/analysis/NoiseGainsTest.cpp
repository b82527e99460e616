#include <gtest/gtest.h>

#include <cmath>
#include <random>
#include <vector>

#include "analysis/transform/LevelGeometry.h"
#include "analysis/transform/NoiseGains.h"
#include "analysis/transform/WaveletTransform.h"
#include "framework/core/Exceptions.h"

namespace analysis {
namespace {

// The squared norm of the analysis row of the coefficient at `position`: the
// transform is linear, so that row's entry p is the coefficient the unit
// impulse at p gives.
double RowNorm(Wavelet wavelet, int32_t j, int32_t levels, std::size_t position) {
    const int32_t n = SamplesOfOrder(j);
    double sum = 0.0;
    std::vector<double> x(static_cast<std::size_t>(n));
    for (int32_t p = 0; p < n; ++p) {
        std::fill(x.begin(), x.end(), 0.0);
        x[static_cast<std::size_t>(p)] = 1.0;
        ForwardTransform(wavelet, x.data(), j, levels);
        sum += x[position] * x[position];
    }
    return std::sqrt(sum);
}

TEST(NoiseGains, EqualTheImpulseResponseOfAnInteriorCoefficient) {
    // A middle coefficient of level k <= J - 5 is far enough from both ends
    // that its row never meets the steps next to them.
    for (const Wavelet wavelet : kWavelets) {
        for (const int32_t j : {8, 9}) {
            for (const int32_t levels : {1, 2, j - 5}) {
                const std::vector<double> gains = NoiseGains(j, levels, wavelet);
                ASSERT_EQ(gains.size(), static_cast<std::size_t>(levels) + 1);
                for (int32_t k = 1; k <= levels; ++k) {
                    const LevelGeometry details = LevelGeometry::Details(j, k);
                    const double row = RowNorm(wavelet, j, levels, details.Position(details.count / 2));
                    EXPECT_NEAR(gains[static_cast<std::size_t>(k) - 1], row, 1e-12)
                        << WaveletName(wavelet) << " J=" << j << " L=" << levels << " k=" << k;
                }
                const std::size_t middle = std::size_t{1} << (j - 1);
                EXPECT_NEAR(gains.back(), RowNorm(wavelet, j, levels, middle), 1e-12)
                    << WaveletName(wavelet) << " J=" << j << " L=" << levels;
            }
        }
    }
}

TEST(NoiseGains, MatchTheSpreadOfTransformedWhiteNoise) {
    constexpr int32_t j = 12;
    constexpr int32_t levels = 5;
    constexpr int seeds = 6;
    for (const Wavelet wavelet : kWavelets) {
        std::mt19937_64 random(20260);
        std::normal_distribution<double> noise;
        std::vector<double> squares(levels, 0.0);
        std::vector<int64_t> counts(levels, 0);
        std::vector<double> x(static_cast<std::size_t>(SamplesOfOrder(j)));
        for (int seed = 0; seed < seeds; ++seed) {
            for (double& v : x) v = noise(random);
            ForwardTransform(wavelet, x.data(), j, levels);
            for (int32_t k = 1; k <= levels; ++k) {
                const LevelGeometry details = LevelGeometry::Details(j, k);
                for (int32_t i = 0; i < details.count; ++i)
                    squares[k - 1] += x[details.Position(i)] * x[details.Position(i)];
                counts[k - 1] += details.count;
            }
        }
        const std::vector<double> gains = NoiseGains(j, levels, wavelet);
        for (int32_t k = 1; k <= levels; ++k) {
            // Level 5 pools 768 coefficients: its spread's own error is about 2.5 %.
            const double spread = std::sqrt(squares[k - 1] / static_cast<double>(counts[k - 1]));
            EXPECT_NEAR(spread, gains[k - 1], 0.08 * gains[k - 1]) << WaveletName(wavelet) << " level " << k;
        }
    }
}

TEST(NoiseGains, LevelsBeyondTheSignalAreAnError) {
    EXPECT_THROW(NoiseGains(4, 5), fw::Exception);
    EXPECT_THROW(NoiseGains(4, 0), fw::Exception);
}

}  // namespace
}  // namespace analysis
