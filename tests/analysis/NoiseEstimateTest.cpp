#include <gtest/gtest.h>

#include <bit>
#include <cmath>
#include <random>
#include <vector>

#include "analysis/transform/LevelGeometry.h"
#include "analysis/denoise/NoiseEstimate.h"
#include "analysis/transform/NoiseGains.h"
#include "analysis/denoise/UniversalThreshold.h"
#include "analysis/transform/WaveletTransform.h"
#include "framework/core/Exceptions.h"

namespace analysis {
namespace {

TEST(EstimateSampleNoise, FindsTheNoiseOnTheSamplesNotOnTheDetails) {
    constexpr int32_t j = 14;
    std::mt19937_64 random(7);
    std::normal_distribution<double> noise(0.0, 3.0);
    std::vector<double> x(static_cast<std::size_t>(SamplesOfOrder(j)));
    for (double& v : x) v = noise(random);
    ForwardTransform(x.data(), j, 1);
    const LevelGeometry details = LevelGeometry::Details(j, 1);
    std::vector<double> finest;
    for (int32_t i = 0; i < details.count; ++i) finest.push_back(x[details.Position(i)]);
    // 8192 details: the median's own error is about 1.4 %.
    EXPECT_NEAR(EstimateSampleNoise(finest), 3.0, 0.05 * 3.0);
}

// The estimate selects its median by bins of the bit patterns; the value must
// be NoiseSigma's, scaled by the level-1 gain, to the last bit: odd and even
// counts, ties across the middle, zeros, middles in adjacent and far bins.
TEST(EstimateSampleNoise, IsTheMedianOfNoiseSigmaOverTheFinestGain) {
    std::mt19937_64 random(5);
    std::normal_distribution<double> gauss;
    std::vector<std::vector<double>> cases = {
        {3, -1, 4, -1, 5, -9}, {7, -2, 0.5},    {-0.6745},       {0, 0, 0, 8},
        {0, 0, 0, 0},          {1, 1, 1, 1, 2}, {1e-300, 1e300}, {2, -2, 2.0000000000000004, 1},
        {-0.0, 5, 1e-5},
    };
    for (const std::size_t n : {2u, 7u, 100u, 1001u, 16384u, 65537u}) {
        std::vector<double> c(n);
        for (double& v : c) v = gauss(random) * 3.0;
        cases.push_back(c);
        for (double& v : c) v = std::round(v);  // many ties
        cases.push_back(c);
    }
    // Every 64th entry small, the rest large: a sample of those misplaces the
    // middle, and the estimate must still find it.
    std::vector<double> misleading(20000);
    for (std::size_t i = 0; i < misleading.size(); ++i) misleading[i] = i % 64 == 0 ? 0.001 * i : 5.0 + i % 97;
    cases.push_back(misleading);
    const double g1 = NoiseGains(2, 1)[0];
    for (const std::vector<double>& c : cases) {
        const double expected = NoiseSigma(c) / g1;
        EXPECT_EQ(std::bit_cast<uint64_t>(EstimateSampleNoise(c)), std::bit_cast<uint64_t>(expected))
            << c.size() << " " << c[0];
        // The strided form reads every other entry of an interleaved buffer.
        std::vector<double> interleaved;
        for (const double v : c) interleaved.insert(interleaved.end(), {v, 1e9});
        EXPECT_EQ(EstimateSampleNoise(interleaved.data(), 2, c.size()), expected) << c.size();
    }
    EXPECT_THROW(EstimateSampleNoise(std::vector<double>{}), fw::Exception);
}

}  // namespace
}  // namespace analysis
