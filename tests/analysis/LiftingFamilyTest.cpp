#include <gtest/gtest.h>

#include <cfloat>
#include <cmath>
#include <random>
#include <vector>

#include "analysis/transform/LevelGeometry.h"
#include "analysis/transform/WaveletTransform.h"

namespace analysis {
namespace {

// The Haar and Cubic steps written from their definitions on separate
// copies of a level's evens e[0 ... m] and odds o[1 ... m].
std::vector<double> PlainForward(Wavelet wavelet, std::vector<double> x, int32_t j, int32_t levels) {
    for (int32_t k = 1; k <= levels; ++k) {
        const std::size_t s = std::size_t{1} << (k - 1);
        const std::size_t m = std::size_t{1} << (j - k);
        std::vector<double> e(m + 1), o(m + 2);
        for (std::size_t i = 0; i <= m; ++i) e[i] = x[2 * i * s];
        for (std::size_t i = 1; i <= m; ++i) o[i] = x[(2 * i - 1) * s];
        if (wavelet == Wavelet::Haar) {
            for (std::size_t i = 1; i <= m; ++i) {
                o[i] -= e[i - 1];
                e[i - 1] += o[i] / 2;
            }
        } else {
            for (std::size_t i = 1; i <= m; ++i) {
                const bool four = i >= 2 && i + 1 <= m;
                o[i] -= four ? (9 * (e[i - 1] + e[i]) - (e[i - 2] + e[i + 1])) / 16 : (e[i - 1] + e[i]) / 2;
            }
            for (std::size_t i = 0; i <= m; ++i) {
                if (i == 0 || i == m) {
                    e[i] += o[i == 0 ? 1 : m] / 2;
                } else {
                    const bool four = i >= 2 && i + 2 <= m;
                    e[i] += four ? (9 * (o[i] + o[i + 1]) - (o[i - 1] + o[i + 2])) / 32 : (o[i] + o[i + 1]) / 4;
                }
            }
        }
        for (std::size_t i = 0; i <= m; ++i) x[2 * i * s] = e[i];
        for (std::size_t i = 1; i <= m; ++i) x[(2 * i - 1) * s] = o[i];
    }
    return x;
}

TEST(LiftingFamily, ForwardMatchesTheDefinitionAndTheInverseUndoesIt) {
    for (const Wavelet wavelet : {Wavelet::Haar, Wavelet::Cubic}) {
        for (int32_t j = 2; j <= 13; ++j) {
            for (int32_t levels = 1; levels <= j; ++levels) {
                std::mt19937_64 random(static_cast<uint64_t>(100 * j + levels));
                std::uniform_real_distribution<double> uniform(-100, 100);
                std::vector<double> input(static_cast<std::size_t>(SamplesOfOrder(j)));
                for (double& v : input) v = uniform(random);
                std::vector<double> x = input;
                ForwardTransform(wavelet, x.data(), j, levels);
                const std::vector<double> plain = PlainForward(wavelet, input, j, levels);
                for (std::size_t p = 0; p < x.size(); ++p) {
                    ASSERT_NEAR(x[p], plain[p], 1e-11) << WaveletName(wavelet) << " J=" << j << " L=" << levels;
                }
                InverseTransform(wavelet, x.data(), j, levels);
                for (std::size_t p = 0; p < x.size(); ++p) {
                    ASSERT_NEAR(x[p], input[p], 64 * 100 * DBL_EPSILON) << WaveletName(wavelet) << " J=" << j;
                }
            }
        }
    }
}

// Each transform leaves no detail where its predictor is exact, the ends
// included: Haar on a constant, Cubic on a line (the ends fall back to the
// linear rule) and, away from the ends, on a cubic.
TEST(LiftingFamily, ExactPredictionsLeaveNoDetail) {
    constexpr int32_t j = 8;
    const auto details = [](Wavelet wavelet, double (*f)(double), int32_t k, int32_t from, int32_t to) {
        std::vector<double> x(SamplesOfOrder(j));
        for (std::size_t p = 0; p < x.size(); ++p) x[p] = f(static_cast<double>(p));
        ForwardTransform(wavelet, x.data(), j, k);
        const LevelGeometry level = LevelGeometry::Details(j, k);
        double largest = 0;
        for (int32_t i = from; i < level.count - to; ++i) largest = std::max(largest, std::fabs(x[level.Position(i)]));
        return largest;
    };
    const auto constant = [](double) { return 3.5; };
    const auto line = [](double t) { return 2 * t - 7; };
    const auto cubic = [](double t) { return 1e-6 * t * t * t - 1e-3 * t * t + t; };
    for (int32_t k = 1; k <= 4; ++k) {
        EXPECT_EQ(details(Wavelet::Haar, constant, k, 0, 0), 0.0) << k;
        EXPECT_LT(details(Wavelet::Cubic, line, k, 0, 0), 1e-12) << k;
    }
    EXPECT_LT(details(Wavelet::Cubic, cubic, 1, 1, 1), 1e-12);
    EXPECT_GT(details(Wavelet::Linear, cubic, 1, 1, 1), 1e-4);
}

}  // namespace
}  // namespace analysis
