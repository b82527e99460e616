#include <gtest/gtest.h>

#include <vector>

#include "analysis/denoise/ThresholdRules.h"

namespace analysis {
namespace {

// Worked by hand, with x = c / sigma, d = 4, sqrt(2 ln 4) = 1.66511 (so only
// |x| <= 1.66511 are candidates) and the sparse bound (log2 4)^1.5 / 2 = 1.41421:
// - c = {1, -2, 6, 8}, sigma 2: x^2 = .25 1 9 16, (26.25 - 4) / 4 = 5.56 > 1.41.
//   SURE(0) = 4; SURE(.5) = 4 - 2 + .25 + 3 * .25 = 3; SURE(1) = 4 - 4 + 1.25 + 2 = 3.25.
//   t = .5, T = 1.
// - c = {1, 1.2, 5, 6}, sigma 1: (63.44 - 4) / 4 = 14.9; SURE(0) = 4,
//   SURE(1) = 4 - 2 + 1 + 3 = 6, SURE(1.2) = 4 - 4 + 2.44 + 2 * 1.44 = 5.32: T = 0.
// - c = {.5, .5, 4, 4}, sigma 1: (32.5 - 4) / 4 = 7.1; of the tied magnitudes the
//   second counts both: SURE(.5) = 4 - 4 + .5 + 2 * .25 = 1 < 4: T = .5.
// - c = 3 {.5, -.3, .2, 1}: sum x^2 = 1.38 < d, a sparse level: T = 3 * 1.66511 = 4.99533.
TEST(SureThreshold, HandWorkedMinimisers) {
    struct Case {
        std::vector<double> c;
        double sigma;
        double threshold;
    };
    const std::vector<Case> cases = {
        {{1, -2, 6, 8}, 2, 1.0},      {{8, 6, -2, 1}, 2, 1.0},           {{1, 1.2, 5, 6}, 1, 0.0},
        {{0.5, -0.5, 4, -4}, 1, 0.5}, {{1.5, -0.9, 0.6, 3}, 3, 4.99533}, {{1, 2}, 0, 0.0},  // no noise
    };
    for (const Case& c : cases) {
        EXPECT_NEAR(SureThreshold(c.c, c.sigma), c.threshold, 5e-6) << ::testing::PrintToString(c.c);
    }
}

// Worked by hand:
// - c = {3, -4}, sigma 1: mean c^2 = 12.5, sigma_x = sqrt(11.5) = 3.39116, T = 1 / 3.39116 = 0.294884.
// - c = {6, -8}, sigma 2: mean 50, sigma_x = sqrt(46) = 6.78233, T = 4 / 6.78233 = 0.589768.
// - c = {1, -2, .5}, sigma 2: mean 1.75 < 4, no signal: T = the largest magnitude, 2.
// - c = {0, 0}, sigma 0: mean 0, no signal, T = 0.
TEST(BayesThreshold, HandWorkedCases) {
    EXPECT_NEAR(BayesThreshold(std::vector<double>{3, -4}, 1), 0.294884, 5e-7);
    EXPECT_NEAR(BayesThreshold(std::vector<double>{6, -8}, 2), 0.589768, 5e-7);
    EXPECT_EQ(BayesThreshold(std::vector<double>{1, -2, 0.5}, 2), 2.0);
    EXPECT_EQ(BayesThreshold(std::vector<double>{0, 0}, 0), 0.0);
}

// sqrt(2 ln 513) = 3.53278 (as in UniversalThresholdTest).
TEST(UniversalLevelThreshold, ScalesTheLevelsOwnNoise) {
    EXPECT_NEAR(UniversalLevelThreshold(2.0, 513), 7.06556, 5e-5);
    EXPECT_EQ(UniversalLevelThreshold(2.0, 1), 0.0);
}

}  // namespace
}  // namespace analysis
