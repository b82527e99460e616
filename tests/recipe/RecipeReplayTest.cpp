// The replay runs Apply to All Levels, with or without shifts, through the
// session; that must give the whole-signal denoising's bits, which the batch
// writes.

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <string>
#include <tuple>
#include <vector>

#include "analysis/QuietControls.h"
#include "../analysis/TempFolder.h"
#include "analysis/DenoiseNames.h"
#include "analysis/SampleWriter.h"
#include "recipe/RecipeReplay.h"
#include "recipe/RecipeSteps.h"
#include "recipe/SessionRecorder.h"
#include "recipe/Sha256.h"

namespace recipe {
namespace {

using NoControls = analysis::QuietControls;

TEST(RecipeReplay, ApplyAllLevelsInTheSessionIsTheBatchDenoising) {
    analysis::DyadicSignal x(10);
    for (int32_t i = 0; i < x.N(); ++i) x.Data()[i] = std::sin(i * i / 4000.0) + 0.1 * std::cos(i * 2.3);
    analysis::test::TempFolder folder;
    const std::string input = folder.Write("in.dat", analysis::FormatSamples({x.Data(), 1025}));
    for (const auto& [rule, shrink, levels, shifts] :
         {std::tuple{analysis::ThresholdRule::Universal, analysis::Shrink::Hard, 10, 1},
          std::tuple{analysis::ThresholdRule::Sure, analysis::Shrink::Soft, 4, 3},
          std::tuple{analysis::ThresholdRule::Bayes, analysis::Shrink::Hard, 6, 1},
          std::tuple{analysis::ThresholdRule::Universal, analysis::Shrink::Soft, 10, 6}}) {
        SCOPED_TRACE(analysis::RuleName(rule));
        analysis::DenoiseOptions settings;
        settings.levels = levels;
        settings.rule = rule;
        settings.shrink = shrink;
        settings.shifts = shifts;
        const analysis::DenoiseResult denoised = analysis::Denoise(x.Data(), 10, settings);
        const std::string level2 =
            analysis::FormatSamples(ShrunkCoefficients(x, levels, shrink, denoised.levels)[1], "c.dat");
        Recipe r;
        r.input = {input, 0, std::string(64, '0'), {}};
        r.count = "1025";
        // Thresholding before and after, which only the session's way allows.
        r.steps = DenoiseSteps(settings, denoised.levels);
        r.outputs = {{OutputKind::Coefficients, "c.dat", 2, 2, Sha256Hex(level2)},
                     {OutputKind::Buffer, "", 0, 3, Sha256Hex(denoised.signal.data(), 1025 * sizeof(double))}};
        NoControls controls;
        PrivateSession session(controls);
        RecipeReplay replay(r, session.Session());
        ASSERT_TRUE(replay.EndsInSession());
        replay.Load(input);
        EXPECT_EQ(FirstDifference(r, replay.Run()), std::nullopt);
        EXPECT_TRUE(std::equal(denoised.signal.begin(), denoised.signal.end(), replay.Buffer().begin()));

        // Steps around it are the session's, which the checker now accepts.
        r.steps.insert(r.steps.begin() + 1, ThresholdingStep(1, "0.25"));
        r.steps.insert(r.steps.end() - 1, ThresholdingStep(levels + 1, "1e-3"));
        r.outputs = {{OutputKind::Buffer, "", 0, 5, std::string(64, '0')}};
        EXPECT_NO_THROW(CheckRecipe(r));
        r.steps[2].approximation = 0.5;
        EXPECT_THROW(CheckRecipe(r), RecipeError);
    }
}

// Undo and redo move the last steps out and back, in order; a file saved
// after a step that is undone leaves the recipe with it; a signal no load
// named has no recipe.
TEST(SessionRecorder, UndoAndRedoResolveAwayAndOnlyLoadedSignalsHaveARecipe) {
    analysis::test::TempFolder folder;
    const std::string input = folder.Write("in.dat", "1 2 3 4 5\n");
    NoControls controls;
    PrivateSession session(controls);
    session.Session().Load("5", input);
    SessionRecorder recorder;
    recorder.Loaded(input, "5");
    const std::vector<Step> steps{DecomposeStep(2), ThresholdingStep(1, "0.5"), ThresholdingStep(3, "1")};
    for (const Step& step : steps) recorder.Did(step);
    recorder.Saved(OutputKind::Signal, input);
    recorder.Undone();
    recorder.Undone();
    EXPECT_EQ(recorder.Steps(), std::vector<Step>(steps.begin(), steps.begin() + 1));
    recorder.Redone();
    EXPECT_EQ(recorder.Steps(), std::vector<Step>(steps.begin(), steps.begin() + 2));
    recorder.Did(ReconstructStep());
    recorder.Redone();  // a new step forgot the one still undone
    const Recipe r = recorder.RecipeOf(session.Session());
    EXPECT_EQ(r.steps.back(), ReconstructStep());
    ASSERT_EQ(r.outputs.size(), 1u);
    EXPECT_EQ(r.outputs[0].kind, OutputKind::Buffer);
    EXPECT_EQ(r.input.size, 10u);

    const double grid[5] = {1, 2, 3, 4, 5};
    session.Session().LoadSignal(grid, 5, 5);
    recorder.SignalReplaced();
    EXPECT_THROW(recorder.RecipeOf(session.Session()), RecipeError);
}

}  // namespace
}  // namespace recipe
