// The thresholding history against the obvious reference: a copy of the whole
// buffer before every step. Undo and redo must give those copies back bit for
// bit, whether the changes sit in memory or in the history's file.

#include <gtest/gtest.h>

#include <bit>
#include <cmath>
#include <functional>
#include <memory>
#include <random>
#include <vector>

#include "SessionFixture.h"
#include "analysis/denoise/Denoise.h"
#include "analysis/session/ThresholdHistory.h"
#include "framework/core/Exceptions.h"

namespace analysis {
namespace {

bool SameBits(const std::vector<double>& a, const std::vector<double>& b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (std::bit_cast<uint64_t>(a[i]) != std::bit_cast<uint64_t>(b[i])) return false;
    }
    return true;
}

// Random steps of one to three cuts, hard or soft, with undos and redos in
// between, on a buffer with negative zeros and exact ties; every state is
// checked against the copies.
TEST(ThresholdHistory, UndoAndRedoGiveEveryEarlierBufferBackBitForBit) {
    // Order 18: a step of level 1 changes more than a file chunk's 2^16.
    constexpr int32_t j = 18;
    std::mt19937_64 random(23);
    std::normal_distribution<double> noise(0.0, 3.0);
    for (const std::size_t budget : {std::size_t{0}, std::size_t{200 * 12 + 5}, std::size_t{1} << 22}) {
        std::vector<double> buffer(SamplesOfOrder(j));
        for (double& x : buffer) x = std::round(noise(random) * 4) / 4;  // ties with the thresholds below
        buffer[3] = -0.0;
        ThresholdHistory history;
        history.Clear(budget);
        std::vector<std::vector<double>> states{buffer};  // states[k]: after k steps done
        std::size_t done = 0;
        for (int round = 0; round < 24; ++round) {
            const int action = static_cast<int>(random() % 4);
            if (action == 0 && history.CanUndo()) {
                history.Undo(buffer.data());
                --done;
            } else if (action == 1 && history.CanRedo()) {
                history.Redo(buffer.data());
                ++done;
            } else {
                std::vector<LevelCut> cuts;
                const int32_t first = 1 + static_cast<int32_t>(random() % 4);
                const int32_t last = first + static_cast<int32_t>(random() % 3);
                for (int32_t k = first; k <= last; ++k) {
                    const Shrink shrink = random() % 2 ? Shrink::Soft : Shrink::Hard;
                    cuts.push_back({LevelGeometry::Details(j, k), 0.25 * static_cast<double>(random() % 16), shrink});
                }
                std::vector<double> cut = buffer;
                ApplyCuts(cut.data(), cuts);
                const std::vector<ShrinkOutcome> outcomes =
                    history.Cut(buffer.data(), "step " + std::to_string(round), cuts, true);
                ASSERT_TRUE(SameBits(buffer, cut)) << "budget " << budget << ", round " << round;
                for (std::size_t k = 0; k < cuts.size(); ++k) {
                    const LevelGeometry& l = cuts[k].level;
                    int64_t zeros = 0;
                    for (int32_t i = 0; i < l.count; ++i) zeros += cut[l.Position(i)] == 0.0;
                    EXPECT_EQ(outcomes[k].zeroed, zeros);
                }
                states.resize(++done);
                states.push_back(buffer);
                EXPECT_EQ(history.UndoName(), "step " + std::to_string(round));
                EXPECT_FALSE(history.CanRedo());
            }
            ASSERT_TRUE(SameBits(buffer, states[done])) << "budget " << budget << ", round " << round;
            EXPECT_LE(history.MemoryBytes(), budget);
        }
        while (history.CanUndo()) history.Undo(buffer.data());
        EXPECT_TRUE(SameBits(buffer, states[0])) << "budget " << budget;
    }
}

// ---- through the session ----------------------------------------------------

using test::SessionTest;

TEST_F(SessionTest, ThresholdingIsUndoneAndRedoneWithTheViewAndTheMean) {
    LoadValues(Ramp(33, 9.0));
    session_.Decompose(4);  // every level: the mean readout is shown
    session_.SelectViewLevel(1);
    const std::vector<double> decomposed = Buffer();
    session_.ApplyThreshold(1, "4");
    const std::vector<double> once = Buffer();
    session_.SelectViewLevel(5);
    session_.ApplyThreshold(5, "1e9");
    const std::vector<double> twice = Buffer();
    ASSERT_FALSE(SameBits(once, decomposed));
    EXPECT_EQ(session_.UndoName(), "Thresholding Approximation");

    log_.clear();
    session_.Undo();
    EXPECT_TRUE(SameBits(Buffer(), once));
    EXPECT_EQ(session_.UndoName(), "Thresholding Level 2");
    EXPECT_EQ(session_.RedoName(), "Thresholding Approximation");
    ASSERT_GE(log_.size(), 2u);
    EXPECT_EQ(log_[0].rfind("ShowMean(", 0), 0u);
    EXPECT_EQ(log_[1], "view.Clear");
    EXPECT_EQ(view_.points, (std::vector<double>{once[0], once[32]}));

    session_.Undo();
    EXPECT_TRUE(SameBits(Buffer(), decomposed));
    EXPECT_FALSE(session_.CanUndo());
    session_.Redo();
    session_.Redo();
    EXPECT_TRUE(SameBits(Buffer(), twice));
    EXPECT_FALSE(session_.CanRedo());
}

// Decompose and Load forget the steps; Reconstruct forgets those undone and
// is a step itself, whose undo gives back the decomposition bit for bit.
TEST_F(SessionTest, DecomposeReconstructAndLoadForgetTheStepsUndone) {
    const struct {
        const char* step;
        std::function<void()> act;
        bool undoes;
    } steps[] = {
        {"decompose", [&] { session_.Decompose(1); }, false},
        {"reconstruct", [&] { session_.Reconstruct(); }, true},
        {"load", [&] { LoadValues(Ramp(17)); }, false},
    };
    for (const auto& step : steps) {
        LoadValues(Ramp(17, 5.0));
        session_.Decompose(2);
        const std::vector<double> decomposed = Buffer();
        session_.SelectViewLevel(0);
        session_.ApplyThreshold(0, "3");
        session_.Undo();
        session_.Redo();
        session_.Undo();
        ASSERT_TRUE(session_.CanRedo());
        step.act();
        EXPECT_EQ(session_.CanUndo(), step.undoes) << step.step;
        EXPECT_FALSE(session_.CanRedo()) << step.step;
        const std::vector<double> before = Buffer();
        session_.Undo();
        EXPECT_EQ(SameBits(Buffer(), decomposed), step.undoes) << step.step;
        session_.Redo();
        EXPECT_TRUE(SameBits(Buffer(), before)) << step.step;
    }
}

// Apply to All Levels is the batch's denoising of the same signal: after
// Reconstruct the buffer is Denoise's result bit for bit, for every rule and
// shrinkage, also when a level was thresholded and undone before; and it is
// one step to undo.
TEST_F(SessionTest, ApplyToAllLevelsGivesTheBatchResultAndIsOneStep) {
    std::vector<double> values = Ramp(1025, 3.0);
    std::mt19937_64 random(5);
    std::normal_distribution<double> noise(0.0, 2.0);
    for (double& v : values) v += noise(random);
    for (const ThresholdRule rule : {ThresholdRule::Universal, ThresholdRule::Sure, ThresholdRule::Bayes}) {
        for (const Shrink shrink : {Shrink::Hard, Shrink::Soft}) {
            DenoiseOptions options;
            options.levels = 6;
            options.rule = rule;
            options.shrink = shrink;
            options.shifts = 1;
            const DenoiseResult batch = Denoise(values.data(), 10, options);
            LoadValues(values);
            session_.Decompose(5);
            session_.SelectViewLevel(0);
            session_.ApplyThreshold(0, "1e9");
            const std::vector<double> choice = session_.ChooseThresholds(options).thresholds;
            session_.Undo();
            const std::vector<double> decomposed = Buffer();
            const std::vector<LevelReport> reports = session_.ApplyToAllLevels(options);
            ASSERT_EQ(reports.size(), 6u);
            for (std::size_t k = 0; k < 6; ++k) {
                EXPECT_EQ(reports[k].threshold, batch.levels[k].threshold) << k;
                EXPECT_EQ(reports[k].zeroed, batch.levels[k].zeroed) << k;
                EXPECT_EQ(choice[k], batch.levels[k].threshold) << "chosen on the thresholded buffer, level " << k;
            }
            EXPECT_EQ(session_.UndoName(), "Apply to All Levels");
            const std::vector<double> applied = Buffer();
            session_.Undo();
            EXPECT_TRUE(SameBits(Buffer(), decomposed));
            session_.Redo();
            EXPECT_TRUE(SameBits(Buffer(), applied));
            session_.Reconstruct();
            EXPECT_TRUE(SameBits(Buffer(), batch.signal)) << static_cast<int>(rule) << static_cast<int>(shrink);
        }
    }
}

// A step over shifts averages from the buffer as it was before its Decompose
// (here a reconstruction, not the load), and a Decompose over it starts from
// that average as Reconstruct would give it; the loaded block the signal plot
// shares is never written.
TEST_F(SessionTest, ShiftsAverageTheSignalAsItWasBeforeDecompose) {
    std::vector<double> values = Ramp(1025, 3.0);
    std::mt19937_64 random(7);
    std::normal_distribution<double> noise(0.0, 2.0);
    for (double& v : values) v += noise(random);
    LoadValues(values);
    const std::shared_ptr<const double[]> loaded = session_.Samples()->Share();
    session_.Decompose(5);
    session_.SelectViewLevel(0);
    session_.ApplyThreshold(0, "2");
    session_.Reconstruct();
    const std::vector<double> rebuilt = Buffer();

    DenoiseOptions first;
    first.levels = 6;
    first.rule = ThresholdRule::Sure;
    first.shifts = 4;
    DenoiseOptions second;
    second.levels = 3;
    second.shrink = Shrink::Soft;
    second.shifts = 2;
    const DenoiseResult average = Denoise(rebuilt.data(), 10, first);
    const DenoiseResult expected = Denoise(average.signal.data(), 10, second);

    session_.Decompose(5);
    session_.ApplyToAllLevels(first);
    EXPECT_TRUE(session_.AveragesShifts());
    session_.Decompose(2);
    EXPECT_FALSE(session_.AveragesShifts());
    session_.ApplyToAllLevels(second);
    session_.Reconstruct();
    EXPECT_TRUE(SameBits(Buffer(), expected.signal));
    EXPECT_TRUE(SameBits({loaded.get(), loaded.get() + values.size()}, values));
}

// The rules read the decomposition by undoing every step and redoing them;
// a choice the options refuse (soft shrinkage below a typed negative
// threshold) must leave the steps done, not undone.
TEST_F(SessionTest, ARefusedThresholdChoiceLeavesTheStepsDone) {
    LoadValues(Ramp(513, 3.0));
    session_.Decompose(3);
    session_.SelectViewLevel(0);
    session_.ApplyThreshold(0, "1e9");
    const std::vector<double> thresholded = Buffer();
    DenoiseOptions options;
    options.shrink = Shrink::Soft;
    options.itemThresholds = {std::nullopt, -1.0, std::nullopt, std::nullopt};
    EXPECT_THROW(session_.ChooseThresholds(options), fw::Exception);
    EXPECT_THROW(session_.ApplyToAllLevels(options), fw::Exception);
    EXPECT_TRUE(SameBits(Buffer(), thresholded));
    EXPECT_EQ(session_.UndoName(), "Thresholding Level 1");
    EXPECT_FALSE(session_.CanRedo());
}

}  // namespace
}  // namespace analysis
