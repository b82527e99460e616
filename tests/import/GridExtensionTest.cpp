#include "import/GridExtension.h"

#include <gtest/gtest.h>

#include <cmath>

#include "analysis/transform/LevelGeometry.h"
#include "analysis/transform/WaveletTransform.h"
#include "framework/core/Exceptions.h"

namespace importer::test {
namespace {

struct ExtensionCase {
    Samples samples;
    Extension extension;
    Samples grid;
};

TEST(GridExtension, FillsTheGridAsWorkedByHand) {
    // clang-format off
    const ExtensionCase cases[] = {
        {{1, 2, 3, 4, 5, 6}, Extension::Reflect, {1, 2, 3, 4, 5, 6, 5, 4, 3}},
        {{1, 2, 3, 4, 5, 6}, Extension::Repeat,  {1, 2, 3, 4, 5, 6, 6, 6, 6}},
        {{1, 2, 3, 4, 5, 6}, Extension::Zero,    {1, 2, 3, 4, 5, 6, 0, 0, 0}},
        // Mirrored at the end, then at the start again.
        {{1, 2},             Extension::Reflect, {1, 2, 1, 2, 1}},
        {{7},                Extension::Reflect, {7, 7, 7, 7, 7}},
        {{1, 2, 3, 4, 5},    Extension::Zero,    {1, 2, 3, 4, 5}},
    };
    // clang-format on
    for (const ExtensionCase& c : cases) {
        const analysis::SignalSize size = GridFor(static_cast<int64_t>(c.samples.size()));
        EXPECT_EQ(ExtendToGrid(c.samples, size.N, c.extension), c.grid)
            << ExtensionName(c.extension) << " of " << c.samples.size();
    }
    EXPECT_EQ(GridFor(1025).N, 1025);
    EXPECT_EQ(GridFor(1026).N, 2049);
    EXPECT_THROW(GridFor(analysis::kMaxSamples + 1), fw::Exception);
}

// An electrocardiogram of 1024 samples ending near -100: on the grid of 1025
// the extension decides the level-1 detail at the signal's end.
double EndDetailOverInterior(Extension extension) {
    Samples ecg(1024);
    for (std::size_t i = 0; i < ecg.size(); ++i) {
        const double t = static_cast<double>(i);
        const double beat = std::fmod(t, 180.0) - 60.0;
        ecg[i] = -100.0 + 20.0 * std::sin(t / 150.0) + 900.0 * std::exp(-beat * beat / 18.0) + 3.0 * std::sin(t * 1.7);
    }
    Samples grid = ExtendToGrid(ecg, 1025, extension);
    analysis::ForwardTransform(grid.data(), 10, 1);
    const analysis::LevelGeometry details = analysis::LevelGeometry::Details(10, 1);
    double interior = 0.0;
    for (int32_t i = 0; i + 1 < details.count; ++i) interior = std::max(interior, std::abs(grid[details.Position(i)]));
    return std::abs(grid[details.Position(details.count - 1)]) / interior;
}

TEST(GridExtension, ReflectionLeavesNoLargestDetailAtTheEnd) {
    EXPECT_LE(EndDetailOverInterior(Extension::Reflect), 1.0);
    // Zeros make the false step the largest detail of the level.
    EXPECT_GT(EndDetailOverInterior(Extension::Zero), 1.0);
}

}  // namespace
}  // namespace importer::test
