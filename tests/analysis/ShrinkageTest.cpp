#include <gtest/gtest.h>

#include <bit>
#include <cmath>
#include <memory>
#include <random>
#include <vector>

#include "analysis/transform/CoefficientView.h"
#include "analysis/denoise/Shrinkage.h"
#include "analysis/denoise/Thresholding.h"

namespace analysis {
namespace {

TEST(Shrinkage, HardAndSoftAroundTheThreshold) {
    struct Case {
        double c, t, hard, soft;
    };
    const std::vector<Case> cases = {
        {2.0, 2.0, 0.0, 0.0},     // |c| = T goes in both
        {-2.0, 2.0, 0.0, 0.0},    //
        {2.5, 2.0, 2.5, 0.5},     // above: kept, or moved T towards zero
        {-2.5, 2.0, -2.5, -0.5},  //
        {1.0, 2.0, 0.0, 0.0},     // below
        {-0.0, 0.0, 0.0, 0.0},    // a negative zero becomes +0.0
        {3.0, 0.0, 3.0, 3.0},     // T = 0 keeps everything else
    };
    for (const Case& c : cases) {
        const double hard = HardShrink(c.c, c.t);
        const double soft = SoftShrink(c.c, c.t);
        EXPECT_EQ(hard, c.hard) << c.c << " " << c.t;
        EXPECT_EQ(soft, c.soft) << c.c << " " << c.t;
        // A zero result is +0.0, as HardThreshold leaves it.
        EXPECT_FALSE(hard == 0.0 && std::signbit(hard)) << c.c;
        EXPECT_FALSE(soft == 0.0 && std::signbit(soft)) << c.c;
    }
}

// Worked by hand: {3, -1, .5, 4} at T = 1 keeps 3 and 4 (hard) or 2 and 3
// (soft); the energy before is 9 + 1 + .25 + 16 = 26.25, after 25 or 13.
TEST(Shrinkage, CountsWhatGoesAndTheEnergyLeft) {
    for (const Shrink shrink : {Shrink::Hard, Shrink::Soft}) {
        // Every other entry: the stride must skip the ones in between.
        std::vector<double> c = {3, 99, -1, 99, 0.5, 99, 4};
        const ShrinkOutcome outcome = ShrinkCoefficients(c.data(), 2, 4, 1.0, shrink);
        EXPECT_EQ(outcome.zeroed, 2);
        EXPECT_DOUBLE_EQ(outcome.energyBefore, 26.25);
        EXPECT_DOUBLE_EQ(outcome.energyAfter, shrink == Shrink::Hard ? 25.0 : 13.0);
        const std::vector<double> expected = shrink == Shrink::Hard ? std::vector<double>{3, 99, 0, 99, 0, 99, 4}
                                                                    : std::vector<double>{2, 99, 0, 99, 0, 99, 3};
        EXPECT_EQ(c, expected);
    }
}

// Hard shrinkage is the window's thresholding: the same bits for any value and threshold.
TEST(Shrinkage, HardIsTheWindowsThresholdingBitForBit) {
    std::mt19937_64 random(11);
    std::normal_distribution<double> value(0.0, 3.0);
    auto signal = std::make_shared<DyadicSignal>(8);
    const CoefficientView view = BuildView(signal, 1, 1);
    for (const double t : {0.0, 0.5, 2.0, 3.0, -1.0}) {
        std::vector<double> c(static_cast<std::size_t>(view.Count()));
        for (std::size_t i = 0; i < c.size(); ++i) {
            // Some entries exactly at +-T, some signed zeros.
            c[i] = i % 7 == 0 ? t : i % 11 == 0 ? -t : i % 13 == 0 ? -0.0 : value(random);
            view[static_cast<int32_t>(i)] = c[i];
        }
        std::vector<double> quiet = c;
        HardThreshold(view, t);
        ShrinkCoefficients(c.data(), 1, static_cast<int64_t>(c.size()), t, Shrink::Hard);
        ShrinkInPlace(quiet.data(), 1, static_cast<int64_t>(quiet.size()), t, Shrink::Hard);
        for (std::size_t i = 0; i < c.size(); ++i) {
            const uint64_t window = std::bit_cast<uint64_t>(view[static_cast<int32_t>(i)]);
            EXPECT_EQ(std::bit_cast<uint64_t>(c[i]), window) << "T=" << t << " i=" << i;
            EXPECT_EQ(std::bit_cast<uint64_t>(quiet[i]), window) << "T=" << t << " i=" << i;
        }
    }
}

}  // namespace
}  // namespace analysis
