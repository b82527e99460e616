// A signal handed to the session (an import) is loaded as a file's would be,
// and the session knows how many of the grid's samples are the signal.

#include "SessionFixture.h"
#include "framework/core/Exceptions.h"

namespace analysis::test {
namespace {

class LoadSignal : public SessionTest {};

TEST_F(LoadSignal, StartsAFreshAnalysisOfTheGridAndKeepsTheSignalsLength) {
    LoadValues(Ramp(17));
    session_.Decompose(1);
    log_.clear();
    const std::vector<double> grid = Ramp(9, 2.0);
    session_.LoadSignal(grid.data(), grid.size(), 6);
    EXPECT_EQ(session_.N(), 9);
    EXPECT_EQ(session_.J(), 3);
    EXPECT_EQ(session_.SignalSamples(), 6);
    EXPECT_EQ(session_.Levels(), -1);
    EXPECT_EQ(Buffer(), grid);
    EXPECT_EQ(signal_.points, grid);
    EXPECT_TRUE(reconstruction_.points.empty());
    // A file's load after it: the whole grid is the signal again.
    LoadValues(Ramp(5));
    EXPECT_EQ(session_.SignalSamples(), 5);
}

TEST_F(LoadSignal, AGridOfAnotherSizeChangesNothing) {
    LoadValues(Ramp(9));
    const std::vector<double> before = Buffer();
    for (const auto& [size, signal] : {std::pair{8, 8}, {0, 1}, {9, 0}, {9, 10}}) {
        const std::vector<double> grid(static_cast<std::size_t>(size), 1.0);
        EXPECT_THROW(session_.LoadSignal(grid.data(), grid.size(), signal), fw::Exception);
    }
    EXPECT_EQ(Buffer(), before);
    EXPECT_EQ(session_.SignalSamples(), 9);
    EXPECT_TRUE(log_.empty());
}

}  // namespace
}  // namespace analysis::test
