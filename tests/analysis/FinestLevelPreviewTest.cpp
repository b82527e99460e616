#include <gtest/gtest.h>

#include <algorithm>
#include <bit>
#include <cfloat>
#include <cmath>
#include <random>
#include <vector>

#include "TransformReference.h"
#include "analysis/denoise/FinestLevelPreview.h"
#include "analysis/transform/LevelGeometry.h"

namespace analysis {
namespace {

// Coefficients of mixed magnitudes, a tenth zero and a tenth the negative of
// the one two places before (the same level), so that thresholds land
// exactly on the magnitudes of several coefficients.
std::vector<double> Coefficients(int32_t j, std::mt19937_64& random) {
    std::uniform_real_distribution<double> mantissa(-1.0, 1.0);
    std::uniform_int_distribution<int> exponent(-1070, 40);
    std::uniform_int_distribution<int> kind(0, 9);
    std::vector<double> x(static_cast<std::size_t>(SamplesOfOrder(j)));
    for (std::size_t i = 0; i < x.size(); ++i) {
        const int k = kind(random);
        x[i] = k == 0            ? 0.0
               : k == 1 && i > 1 ? -x[i - 2]
               : k == 2          ? std::ldexp(mantissa(random), exponent(random))
                                 : 4 * mantissa(random);
    }
    return x;
}

// What the preview must equal: the finest level cut on a copy, then the
// inverse straight from its definition.
std::vector<double> Rebuilt(std::vector<double> x, int32_t j, int32_t levels, double t) {
    for (std::size_t i = 1; i < x.size(); i += 2) x[i] = std::fabs(x[i]) > t ? x[i] : 0.0;
    test::ReferenceInverse<double>(x, j, levels);
    return x;
}

std::vector<uint64_t> Bits(const std::vector<double>& x) {
    std::vector<uint64_t> bits(x.size());
    std::transform(x.begin(), x.end(), bits.begin(), [](double v) { return std::bit_cast<uint64_t>(v); });
    return bits;
}

// A drag of T up and down over many generated decompositions: after every
// step the updated output equals a full rebuild bit for bit. The last rounds
// are long enough to be written in two halves, and their thresholds change
// the details beside the halves' seam.
TEST(FinestLevelPreviewTest, EveryStepOfADragEqualsAFullRebuild) {
    std::mt19937_64 random(23);
    for (int round = 0; round < 62; ++round) {
        const bool halves = round >= 60;
        const int32_t j = halves ? 19 : std::uniform_int_distribution<int32_t>(3, 9)(random);
        const int32_t levels = std::uniform_int_distribution<int32_t>(1, j)(random);
        const std::vector<double> x = Coefficients(j, random);
        double bound = 0;
        for (double v : x) bound = std::max(bound, std::fabs(v));
        ASSERT_TRUE(FinestLevelPreview::Handles(j, levels, bound));
        FinestLevelPreview preview;
        std::vector<double> out(x.size(), -1.0);
        for (int step = 0; step < 12; ++step) {
            // Thresholds on coefficients, between them, zero and beyond all.
            const std::size_t at =
                halves ? x.size() / 2 - 1 + 2 * std::uniform_int_distribution<std::size_t>(0, 4)(random) - 4
                       : std::uniform_int_distribution<std::size_t>(0, x.size() - 1)(random);
            const double t = step % 4 == 3 ? 0.0 : step % 5 == 4 ? bound : std::fabs(x[at]) * (step % 2 ? 1.0 : 0.75);
            preview.Write(x.data(), j, levels, bound, t, out.data(), step != 6);
            ASSERT_EQ(Bits(out), Bits(Rebuilt(x, j, levels, t)))
                << "j " << j << " levels " << levels << " step " << step;
        }
    }
}

TEST(FinestLevelPreviewTest, HandlesOnlyBoundsTheFullInverseNeedNotCheck) {
    EXPECT_TRUE(FinestLevelPreview::Handles(3, 3, 1.0));
    EXPECT_FALSE(FinestLevelPreview::Handles(2, 1, 1.0));           // no coarser signal of order >= 2
    EXPECT_FALSE(FinestLevelPreview::Handles(10, 4, -1.0));         // bound not known
    EXPECT_FALSE(FinestLevelPreview::Handles(10, 4, DBL_MAX / 8));  // might overflow
}

}  // namespace
}  // namespace analysis
