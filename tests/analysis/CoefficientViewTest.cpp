#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "analysis/transform/CoefficientView.h"
#include "framework/core/Exceptions.h"

namespace analysis {
namespace {

std::vector<std::size_t> Positions(const CoefficientView& view) {
    std::vector<std::size_t> positions;
    for (int32_t i = 0; i < view.Count(); ++i) positions.push_back(view.Position(i));
    return positions;
}

// The positions the layout table gives for a level, written out directly.
std::vector<std::size_t> Expected(std::size_t first, std::size_t stride, std::size_t last) {
    std::vector<std::size_t> positions;
    for (std::size_t p = first; p <= last; p += stride) positions.push_back(p);
    return positions;
}

TEST(BuildView, NineLevelsDecomposedThree) {
    auto signal = std::make_shared<DyadicSignal>(9);
    const CoefficientView level1 = BuildView(signal, 3, 1);
    EXPECT_EQ(level1.Count(), 256);
    EXPECT_EQ(Positions(level1), Expected(1, 2, 511));
    const CoefficientView level2 = BuildView(signal, 3, 2);
    EXPECT_EQ(level2.Count(), 128);
    EXPECT_EQ(Positions(level2), Expected(2, 4, 510));
    const CoefficientView level3 = BuildView(signal, 3, 3);
    EXPECT_EQ(level3.Count(), 64);
    EXPECT_EQ(Positions(level3), Expected(4, 8, 508));
    const CoefficientView approximation = BuildView(signal, 3, 4);
    EXPECT_EQ(approximation.Count(), 65);
    EXPECT_EQ(Positions(approximation), Expected(0, 8, 512));
}

// Details of every level and the approximation cover each position once.
TEST(BuildView, LevelsPartitionTheBuffer) {
    auto signal = std::make_shared<DyadicSignal>(6);
    for (int32_t levels = 1; levels <= 6; ++levels) {
        std::vector<int> seen(static_cast<std::size_t>(signal->N()), 0);
        for (int32_t v = 1; v <= levels + 1; ++v) {
            for (std::size_t p : Positions(BuildView(signal, levels, v))) ++seen[p];
        }
        for (std::size_t p = 0; p < seen.size(); ++p) EXPECT_EQ(seen[p], 1) << "L=" << levels << " position " << p;
    }
}

TEST(BuildView, DeepestDecompositionLeavesTheTwoEnds) {
    auto signal = std::make_shared<DyadicSignal>(5);
    EXPECT_EQ(Positions(BuildView(signal, 5, 6)), (std::vector<std::size_t>{0, 32}));
    EXPECT_EQ(Positions(BuildView(signal, 5, 5)), (std::vector<std::size_t>{16}));
}

TEST(BuildView, FiveSamplesOneLevel) {
    auto signal = std::make_shared<DyadicSignal>(2);
    EXPECT_EQ(Positions(BuildView(signal, 1, 1)), (std::vector<std::size_t>{1, 3}));
    EXPECT_EQ(Positions(BuildView(signal, 1, 2)), (std::vector<std::size_t>{0, 2, 4}));
}

TEST(CoefficientView, EntriesReadAndWriteTheBuffer) {
    auto signal = std::make_shared<DyadicSignal>(3);
    for (int32_t i = 0; i < signal->N(); ++i) (*signal)[i] = 10.0 * i;
    const CoefficientView view = BuildView(signal, 2, 2);
    ASSERT_EQ(view.Count(), 2);
    EXPECT_EQ(view[0], 20.0);
    EXPECT_EQ(view[1], 60.0);
    view[1] = -1.5;
    EXPECT_EQ((*signal)[6], -1.5);
    (*signal)[2] = 7.0;
    EXPECT_EQ(view[0], 7.0);
}

TEST(CoefficientView, KeepsItsBufferAlive) {
    auto signal = std::make_shared<DyadicSignal>(2);
    (*signal)[4] = 3.0;
    const std::weak_ptr<DyadicSignal> watch = signal;
    const CoefficientView view = BuildView(std::move(signal), 1, 2);
    EXPECT_FALSE(watch.expired());
    EXPECT_EQ(view[2], 3.0);
    EXPECT_EQ(view.Buffer(), watch.lock().get());
}

TEST(CoefficientView, EmptyViewHasNoEntriesAndNoBuffer) {
    const CoefficientView view;
    EXPECT_EQ(view.Count(), 0);
    EXPECT_EQ(view.Buffer(), nullptr);
}

TEST(BuildView, RefusesLevelsOutsideTheDecomposition) {
    auto signal = std::make_shared<DyadicSignal>(3);
    EXPECT_THROW(BuildView(signal, 0, 1), fw::EListError);
    EXPECT_THROW(BuildView(signal, -1, 0), fw::EListError);
    EXPECT_THROW(BuildView(signal, 4, 1), fw::EListError);
    EXPECT_THROW(BuildView(signal, 2, 0), fw::EListError);
    EXPECT_THROW(BuildView(nullptr, 1, 1), fw::EListError);
}

}  // namespace
}  // namespace analysis
