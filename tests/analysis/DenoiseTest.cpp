#include <gtest/gtest.h>

#include <bit>
#include <cmath>
#include <random>
#include <vector>

#include "analysis/denoise/Denoise.h"
#include "analysis/transform/LevelGeometry.h"
#include "analysis/transform/NoiseGains.h"
#include "analysis/denoise/UniversalThreshold.h"
#include "analysis/transform/WaveletTransform.h"
#include "framework/core/Exceptions.h"

namespace analysis {
namespace {

// A step, a slope and noise: every level has signal and noise in it.
std::vector<double> NoisyStep(int32_t j, uint64_t seed) {
    std::mt19937_64 random(seed);
    std::normal_distribution<double> noise;
    const int32_t n = SamplesOfOrder(j);
    std::vector<double> x(static_cast<std::size_t>(n));
    for (int32_t i = 0; i < n; ++i) x[i] = (i > n / 3 ? 5.0 : -2.0) + 0.01 * i + noise(random);
    return x;
}

std::vector<double> Level(const std::vector<double>& y, const LevelGeometry& g) {
    std::vector<double> c;
    for (int32_t i = 0; i < g.count; ++i) c.push_back(y[g.Position(i)]);
    return c;
}

// The plain decomposition step by step, each level's noise its own: the
// reference the entry point must match bit for bit without shifts.
std::vector<double> PlainReference(std::vector<double> y, int32_t j, int32_t levels, ThresholdRule rule, Shrink shrink,
                                   double fixed, std::vector<int64_t>& zeroed) {
    ForwardTransform(y.data(), j, levels);
    const double sigma = NoiseSigma(Level(y, LevelGeometry::Details(j, 1))) / std::sqrt(1.5);
    const std::vector<double> gains = NoiseGains(j, levels);
    zeroed.clear();
    for (int32_t k = 1; k <= levels; ++k) {
        const LevelGeometry g = LevelGeometry::Details(j, k);
        const double s = sigma * gains[k - 1];
        const std::vector<double> c = Level(y, g);
        const double t = rule == ThresholdRule::Universal ? s * std::sqrt(2.0 * std::log(SamplesOfOrder(j)))
                         : rule == ThresholdRule::Sure    ? SureThreshold(c, s)
                         : rule == ThresholdRule::Bayes   ? BayesThreshold(c, s)
                                                          : fixed;
        int64_t gone = 0;
        for (int32_t i = 0; i < g.count; ++i) {
            double& v = y[g.Position(i)];
            v = std::fabs(v) <= t ? 0.0 : shrink == Shrink::Hard ? v : (v > 0 ? v - t : v + t);
            gone += v == 0.0;
        }
        zeroed.push_back(gone);
    }
    InverseTransform(y.data(), j, levels);
    return y;
}

TEST(Denoise, OneShiftIsThePlainDecompositionBitForBit) {
    int cases = 0;
    for (const int32_t j : {2, 3, 5, 8, 10, 14}) {
        for (const int32_t levels : {1, (j + 1) / 2, j}) {
            for (const ThresholdRule rule :
                 {ThresholdRule::Universal, ThresholdRule::Sure, ThresholdRule::Bayes, ThresholdRule::Fixed}) {
                for (const Shrink shrink : {Shrink::Hard, Shrink::Soft}) {
                    SCOPED_TRACE("J=" + std::to_string(j) + " L=" + std::to_string(levels) +
                                 " rule=" + std::to_string(static_cast<int>(rule)) +
                                 " soft=" + std::to_string(shrink == Shrink::Soft));
                    const std::vector<double> x = NoisyStep(j, static_cast<uint64_t>(j * 100 + levels));
                    DenoiseOptions options;
                    options.levels = levels;
                    options.rule = rule;
                    options.shrink = shrink;
                    options.fixedThreshold = 1.5;
                    options.shifts = 1;
                    const DenoiseResult result = Denoise(x.data(), j, options);
                    std::vector<int64_t> zeroed;
                    const std::vector<double> expected =
                        PlainReference(x, j, levels, rule, shrink, options.fixedThreshold, zeroed);
                    ASSERT_EQ(result.signal.size(), expected.size());
                    for (std::size_t i = 0; i < expected.size(); ++i) {
                        ASSERT_EQ(std::bit_cast<uint64_t>(result.signal[i]), std::bit_cast<uint64_t>(expected[i]))
                            << "sample " << i;
                    }
                    ASSERT_EQ(result.levels.size(), static_cast<std::size_t>(levels));
                    for (int32_t k = 1; k <= levels; ++k) {
                        EXPECT_EQ(result.levels[k - 1].zeroed, zeroed[k - 1]) << "level " << k;
                        EXPECT_EQ(result.levels[k - 1].total, LevelGeometry::Details(j, k).count);
                    }
                    ++cases;
                }
            }
        }
    }
    EXPECT_EQ(cases, 144);
}

// x continued by even reflection: ... x2 x1 x0 x1 x2 ... x_last x_last-1 ...
double Reflected(const std::vector<double>& x, std::ptrdiff_t q) {
    const auto last = static_cast<std::ptrdiff_t>(x.size()) - 1;
    while (q < 0 || q > last) q = q < 0 ? -q : 2 * last - q;
    return x[static_cast<std::size_t>(q)];
}

// With a fixed threshold each shift is a plain denoising of a shifted
// reflected copy, so the average can be rebuilt one shift at a time.
TEST(Denoise, ShiftsAverageThePlainResultsOfShiftedCopies) {
    // Up to J = 9 every sample is counted as an end sample; at 11 most are
    // not; at 18 two copies are denoised at once.
    for (const int32_t j : {3, 6, 9, 11, 18}) {
        for (const int32_t shifts : {2, 5, 8, 256}) {
            if (j == 18 && shifts != 5) continue;
            SCOPED_TRACE("J=" + std::to_string(j) + " S=" + std::to_string(shifts));
            const std::vector<double> x = NoisyStep(j, static_cast<uint64_t>(j + shifts));
            const auto n = static_cast<std::ptrdiff_t>(x.size());
            std::vector<double> sum(x.size(), 0.0);
            std::vector<int> estimates(x.size(), 0);
            std::vector<int64_t> zeroed;
            for (int32_t s = 0; s < shifts; ++s) {
                const std::ptrdiff_t offset = s % 2 != 0 ? (s + 1) / 2 : -(s / 2);
                std::vector<double> y(x.size());
                for (std::ptrdiff_t i = 0; i < n; ++i) y[i] = Reflected(x, i + offset);
                y = PlainReference(y, j, j, ThresholdRule::Fixed, Shrink::Soft, 0.8, zeroed);
                for (std::ptrdiff_t i = 0; i < n; ++i) {
                    std::ptrdiff_t q = i + offset;
                    while (q < 0 || q > n - 1) q = q < 0 ? -q : 2 * (n - 1) - q;
                    sum[q] += y[i];
                    ++estimates[q];
                }
            }
            DenoiseOptions options;
            options.rule = ThresholdRule::Fixed;
            options.fixedThreshold = 0.8;
            options.shrink = Shrink::Soft;
            options.shifts = shifts;
            const DenoiseResult result = Denoise(x.data(), j, options);
            for (std::size_t i = 0; i < x.size(); ++i) {
                EXPECT_NEAR(result.signal[i], sum[i] / estimates[i], 1e-12) << "sample " << i;
            }
        }
    }
}

// An item threshold replaces the rule for its level, and the approximation
// is thresholded only when given one: a huge one there leaves only details.
TEST(Denoise, ItemThresholdsOverrideTheRule) {
    constexpr int32_t j = 6;
    const std::vector<double> x = NoisyStep(j, 3);
    DenoiseOptions options;
    options.shifts = 1;
    options.levels = 3;
    options.itemThresholds = {std::nullopt, 1e9, std::nullopt, 1e9};
    const DenoiseResult result = Denoise(x.data(), j, options);
    ASSERT_EQ(result.levels.size(), 4u);
    EXPECT_EQ(result.levels[1].threshold, 1e9);
    EXPECT_EQ(result.levels[1].zeroed, result.levels[1].total);
    EXPECT_EQ(result.levels[3].level, 4);
    EXPECT_EQ(result.levels[3].zeroed, LevelGeometry::Approximation(j, 3).count);
    options.itemThresholds.pop_back();
    EXPECT_THROW(Denoise(x.data(), j, options), fw::Exception);
}

// The Wiener stage without shifts, from its definition: the pilot (the
// thresholded result) decomposed by the second transform sets each detail's
// gain P^2 / (P^2 + s^2), s its level's noise.
TEST(Denoise, TheWienerStageScalesEachDetailByItsPilotsGain) {
    constexpr int32_t j = 9;
    const std::vector<double> x = NoisyStep(j, 5);
    for (const Wavelet first : kWavelets) {
        for (const Wavelet second : kWavelets) {
            DenoiseOptions options;
            options.shifts = 1;
            options.wavelet = first;
            options.rule = ThresholdRule::Sure;
            options.shrink = Shrink::Soft;
            const DenoiseResult pilot = Denoise(x.data(), j, options);
            options.wiener = second;
            const DenoiseResult result = Denoise(x.data(), j, options);
            std::vector<double> y = x;
            std::vector<double> p = pilot.signal;
            ForwardTransform(second, y.data(), j, j);
            ForwardTransform(second, p.data(), j, j);
            const std::vector<double> gains = NoiseGains(j, j, second);
            for (int32_t k = 1; k <= j; ++k) {
                const LevelGeometry g = LevelGeometry::Details(j, k);
                const double s = pilot.sampleSigma * gains[k - 1];
                for (int32_t i = 0; i < g.count; ++i) {
                    y[g.Position(i)] *=
                        p[g.Position(i)] * p[g.Position(i)] / (p[g.Position(i)] * p[g.Position(i)] + s * s);
                }
            }
            InverseTransform(second, y.data(), j, j);
            for (std::size_t i = 0; i < x.size(); ++i) {
                ASSERT_NEAR(result.signal[i], y[i], 1e-11) << WaveletName(first) << "/" << WaveletName(second);
            }
        }
    }
}

TEST(Denoise, OptionsThatDoNotFitAreRefused) {
    const std::vector<double> x = NoisyStep(4, 1);
    DenoiseOptions options;
    options.levels = 5;
    EXPECT_THROW(Denoise(x.data(), 4, options), fw::Exception);
    options.levels = 0;
    options.shifts = 0;
    EXPECT_THROW(Denoise(x.data(), 4, options), fw::Exception);
    options.shifts = 1;
    options.rule = ThresholdRule::Fixed;
    options.fixedThreshold = -1;
    options.shrink = Shrink::Soft;
    EXPECT_THROW(Denoise(x.data(), 4, options), fw::Exception);
}

}  // namespace
}  // namespace analysis
