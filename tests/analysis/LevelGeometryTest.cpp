#include <gtest/gtest.h>

#include <bit>
#include <cstdint>
#include <set>
#include <vector>

#include "analysis/transform/DyadicSignal.h"
#include "analysis/transform/LevelGeometry.h"
#include "analysis/transform/WaveletTransform.h"

namespace analysis {
namespace {

std::set<std::size_t> Positions(const LevelGeometry& geometry) {
    std::set<std::size_t> positions;
    for (int32_t i = 0; i < geometry.count; ++i) positions.insert(geometry.Position(i));
    return positions;
}

// The positions, of a constant signal transformed over `levels` levels, that
// kept the constant (the approximation) or became 0 (the details so far).
struct TransformedPositions {
    std::set<std::size_t> kept;
    std::set<std::size_t> zeroed;
};

TransformedPositions TransformConstant(int32_t j, int32_t levels) {
    constexpr double kConstant = 3.75;
    std::vector<double> x(std::size_t{1} << j, kConstant);
    x.push_back(kConstant);
    if (levels > 0) ForwardTransform(x.data(), j, levels);
    TransformedPositions positions;
    for (std::size_t p = 0; p < x.size(); ++p) (x[p] == kConstant ? positions.kept : positions.zeroed).insert(p);
    return positions;
}

// Small orders against the transform itself: the details of level k are the
// positions that level k zeroed, the approximation those still holding the
// constant.
TEST(LevelGeometry, MatchesThePositionsTheTransformWrites) {
    for (int32_t j = 2; j <= 11; ++j) {
        TransformedPositions before = TransformConstant(j, 0);
        ASSERT_EQ(static_cast<std::size_t>(SamplesOfOrder(j)), before.kept.size()) << "J=" << j;
        for (int32_t k = 1; k <= j; ++k) {
            TransformedPositions after = TransformConstant(j, k);
            std::set<std::size_t> details;
            for (const std::size_t p : after.zeroed) {
                if (!before.zeroed.contains(p)) details.insert(p);
            }
            ASSERT_EQ(Positions(LevelGeometry::Details(j, k)), details) << "J=" << j << " k=" << k;
            ASSERT_EQ(Positions(LevelGeometry::Approximation(j, k)), after.kept) << "J=" << j << " L=" << k;
            before = std::move(after);
        }
    }
}

// Every order up to the largest, without a buffer: level k's details are all
// the positions p in 0 ... 2^J whose lowest set bit is bit k - 1, the
// approximation after L levels all multiples of 2^L there, and together they
// cover the 2^J + 1 positions once.
TEST(LevelGeometry, EveryOrderAndLevelCoversItsPositionsExactly) {
    uint64_t last = 1;  // 2^J, by doubling
    for (int32_t j = 1; j <= kMaxOrder; ++j) {
        last *= 2;
        ASSERT_EQ(static_cast<uint64_t>(SamplesOfOrder(j)), last + 1) << "J=" << j;
        uint64_t covered = 0;
        for (int32_t k = 1; k <= j; ++k) {
            const LevelGeometry details = LevelGeometry::Details(j, k);
            const LevelGeometry approximation = LevelGeometry::Approximation(j, k);
            for (const LevelGeometry& g : {details, approximation}) {
                // A power-of-two stride keeps the lowest set bit of the first
                // position; the first and last lie within one stride of the ends.
                ASSERT_TRUE(std::has_single_bit(g.stride)) << "J=" << j << " k=" << k;
                ASSERT_GT(g.count, 0) << "J=" << j << " k=" << k;
                ASSERT_LT(g.first, g.stride) << "J=" << j << " k=" << k;
                ASSERT_LE(g.Position(g.count - 1), last) << "J=" << j << " k=" << k;
                ASSERT_GT(g.Position(g.count - 1) + g.stride, last) << "J=" << j << " k=" << k;
            }
            ASSERT_EQ(std::countr_zero(details.first), k - 1) << "J=" << j << " k=" << k;
            ASSERT_EQ(std::countr_zero(details.stride), k) << "J=" << j << " k=" << k;
            ASSERT_EQ(approximation.first, 0u) << "J=" << j << " L=" << k;
            ASSERT_EQ(std::countr_zero(approximation.stride), k) << "J=" << j << " L=" << k;
            covered += static_cast<uint64_t>(details.count);
            ASSERT_EQ(covered + static_cast<uint64_t>(approximation.count), last + 1) << "J=" << j << " L=" << k;
        }
    }
}

}  // namespace
}  // namespace analysis
