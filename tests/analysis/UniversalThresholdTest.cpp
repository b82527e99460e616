#include <gtest/gtest.h>

#include <vector>

#include "analysis/denoise/UniversalThreshold.h"

namespace analysis {
namespace {

// Worked by hand:
// - {3, -1, 4, -1, 5, -9}: magnitudes sorted 1 1 3 4 5 9, an even count, so the
//   median is (3 + 4) / 2 = 3.5 and sigma = 3.5 / 0.6745 = 5.18903 (to 6 digits).
//   With n = 9: 2 ln 9 = 4.39445, its root 2.09629, T = 5.18903 * 2.09629 = 10.8777.
// - {7, -2, 0.5}: magnitudes 0.5 2 7, the median is 2, sigma = 2 / 0.6745 = 2.96516.
//   With n = 513: 2 ln 513 = 12.4806, its root 3.53278, T = 2.96516 * 3.53278 = 10.4753.
// - n = 1: ln 1 = 0, so T = 0 whatever the coefficients.
TEST(UniversalThreshold, HandWorkedCases) {
    struct Case {
        std::vector<double> details;
        int64_t n;
        double sigma;
        double threshold;
    };
    const std::vector<Case> cases = {
        {{3, -1, 4, -1, 5, -9}, 9, 5.18903, 10.8777},
        {{-9, 5, -1, 4, -1, 3}, 9, 5.18903, 10.8777},  // the order does not matter
        {{7, -2, 0.5}, 513, 2.96516, 10.4753},
        {{7, -2, 0.5}, 1, 2.96516, 0.0},
        {{-0.6745}, 5, 1.0, 1.79412},  // sqrt(2 ln 5) = sqrt(3.21888)
        {{0, 0, 0, 8}, 5, 0.0, 0.0},   // mostly exact zeros: no noise
    };
    for (const Case& c : cases) {
        EXPECT_NEAR(NoiseSigma(c.details), c.sigma, 5e-6 * c.sigma) << c.details.size() << " n=" << c.n;
        EXPECT_NEAR(UniversalThreshold(c.details, c.n), c.threshold, 5e-6 * c.threshold)
            << c.details.size() << " n=" << c.n;
    }
}

TEST(UniversalThreshold, NoCoefficientsOrNoSignalIsAnError) {
    EXPECT_THROW(NoiseSigma({}), fw::Exception);
    EXPECT_THROW(UniversalThreshold({}, 9), fw::Exception);
    const std::vector<double> details = {1.0};
    EXPECT_THROW(UniversalThreshold(details, 0), fw::Exception);
}

}  // namespace
}  // namespace analysis
