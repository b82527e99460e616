#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <numbers>
#include <random>
#include <vector>

#include "analysis/denoise/AutoChoice.h"
#include "analysis/transform/LevelGeometry.h"
#include "analysis/transform/WaveletTransform.h"

namespace analysis {
namespace {

double Blocks(double t) { return t < 0.3 ? 2.0 : t < 0.45 ? -3.0 : t < 0.7 ? 4.0 : 0.5; }
double Wave(double t) { return 4 * std::sin(4 * std::numbers::pi * t) + 2 * std::cos(9 * std::numbers::pi * t); }
double Ramp(double t) { return 3 * t - 1; }

// The risk each candidate is chosen by estimates the mean squared error of
// its result (without shifts) against the clean signal, from the noisy one
// alone; a piecewise-constant signal takes the Haar steps; a signal without
// noise is kept.
TEST(AutoChoice, EstimatesTheErrorFromTheNoisySignalAlone) {
    struct Case {
        double (*f)(double);
        double noise;
        int32_t j;
    };
    for (const Case& c : {Case{Blocks, 1.0, 12}, Case{Wave, 1.0, 12}, Case{Wave, 0.5, 18}, Case{Ramp, 0.0, 8}}) {
        const int32_t n = SamplesOfOrder(c.j);
        std::mt19937_64 random(static_cast<uint64_t>(c.j));
        std::normal_distribution<double> gauss;
        std::vector<double> clean(static_cast<std::size_t>(n)), x(clean.size());
        for (int32_t i = 0; i < n; ++i) {
            clean[i] = c.f(static_cast<double>(i) / (n - 1));
            x[i] = clean[i] + c.noise * gauss(random);
        }
        DenoiseOptions base;
        base.levels = c.j - 5;
        base.shifts = 1;
        const AutoChoice choice = ChooseAutomatically(x.data(), c.j, base, {});
        ASSERT_EQ(choice.risks.size(), choice.candidates.size());
        EXPECT_NEAR(choice.noiseRisk, c.noise * c.noise, 0.1 * c.noise * c.noise);
        if (c.noise == 0) {
            const std::vector<double> kept = Denoise(x.data(), c.j, choice.options).signal;
            for (int32_t i = 0; i < n; ++i) ASSERT_NEAR(kept[i], x[i], 1e-12);
            continue;
        }
        // Judged on stretches, a long signal's estimate speaks for them only.
        if (c.j > 16) continue;
        // The estimates share one offset, from the noise estimated rather
        // than known: their differences are the errors' differences.
        std::vector<double> errors;
        for (const AutoCandidate& candidate : choice.candidates) {
            DenoiseOptions options = choice.options;
            options.wavelet = candidate.wavelet;
            options.rule = candidate.rule;
            options.shrink = candidate.shrink;
            options.wiener = candidate.wiener;
            options.shifts = 1;
            const std::vector<double> y = Denoise(x.data(), c.j, options).signal;
            double error = 0;
            for (int32_t i = 0; i < n; ++i) error += (y[i] - clean[i]) * (y[i] - clean[i]);
            errors.push_back(error / n);
        }
        for (std::size_t k = 1; k < errors.size(); ++k) {
            EXPECT_NEAR(choice.risks[k] - choice.risks[0], errors[k] - errors[0], 0.03 * c.noise * c.noise) << k;
        }
        // A level's own estimate, per coefficient, with the noise known:
        // soft shrinkage by SURE's threshold against the clean signal's
        // coefficients.
        DenoiseOptions soft = base;
        soft.rule = ThresholdRule::Sure;
        soft.shrink = Shrink::Soft;
        soft.noise = c.noise;
        std::vector<double> shrunk = Denoise(x.data(), c.j, soft).signal;
        std::vector<double> truth = clean;
        ForwardTransform(shrunk.data(), c.j, 1);
        ForwardTransform(truth.data(), c.j, 1);
        const LevelGeometry finest = LevelGeometry::Details(c.j, 1);
        double error = 0;
        for (int32_t i = 0; i < finest.count; ++i)
            error += std::pow(shrunk[finest.Position(i)] - truth[finest.Position(i)], 2);
        EXPECT_NEAR(Denoise(x.data(), c.j, soft).levels[0].risk, error / finest.count, 0.1 * c.noise * c.noise);
        if (c.f == Blocks) {
            EXPECT_EQ(choice.options.wavelet, Wavelet::Haar);
        }
        EXPECT_LT(*std::min_element(choice.risks.begin(), choice.risks.end()), choice.noiseRisk);
    }
}

}  // namespace
}  // namespace analysis
