// The replay runs Apply to All Levels, with or without shifts, through the
// session; that must give the whole-signal denoising's bits, which the batch
// writes.

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <string>
#include <tuple>
#include <vector>

#include "analysis/session/QuietControls.h"
#include "TempFolder.h"
#include "analysis/denoise/DenoiseNames.h"
#include "analysis/io/SampleWriter.h"
#include "analysis/transform/WaveletTransform.h"
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
        // Level 2 of the plain decomposition, shrunk by its reported threshold.
        std::vector<double> y(x.Data(), x.Data() + x.N());
        analysis::ForwardTransform(y.data(), 10, levels);
        const analysis::LevelGeometry g = analysis::LevelGeometry::Details(10, 2);
        analysis::ShrinkInPlace(y.data() + g.first, g.stride, g.count, denoised.levels[1].threshold, shrink);
        const std::string level2 = analysis::FormatSamples(analysis::LevelValues(y.data(), g), "c.dat");
        Recipe r;
        r.input = {input, 0, std::string(64, '0'), {}};
        r.count = "1025";
        // Thresholding before and after, which only the session's way allows.
        r.steps = {DecomposeStep(levels), ApplyAllLevelsStep(settings, denoised.levels), ReconstructStep()};
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

// The recorder hears each step from the session as it takes effect; undo
// and redo move the last steps out and back, in order; a file saved after a
// step that is undone leaves the recipe with it; a signal no file named has
// no recipe.
TEST(SessionRecorder, RecordsWhatTheSessionTellsAndOnlyLoadedSignalsHaveARecipe) {
    analysis::test::TempFolder folder;
    const std::string input = folder.Write("in.dat", "1 2 3 4 5 6 7 8 2\n");
    NoControls controls;
    PrivateSession session(controls);
    analysis::AnalysisSession& s = session.Session();
    SessionRecorder recorder(s);
    s.Load("9", input);
    s.Decompose(1);
    s.SelectViewLevel(0);
    s.ApplyThreshold(0, "0.5");
    analysis::DenoiseOptions options;
    options.shifts = 1;
    const std::vector<analysis::LevelReport> reports = s.ApplyToAllLevels(options);
    recorder.Saved(OutputKind::Signal, input);
    options.levels = 2;
    const std::vector<Step> steps{DecomposeStep(2), ThresholdingStep(1, "0.5"), ApplyAllLevelsStep(options, reports)};
    EXPECT_EQ(recorder.Steps(), steps);
    s.Undo();
    s.Undo();
    EXPECT_EQ(recorder.Steps(), std::vector<Step>(steps.begin(), steps.begin() + 1));
    s.Redo();
    EXPECT_EQ(recorder.Steps(), std::vector<Step>(steps.begin(), steps.begin() + 2));
    s.Reconstruct();
    s.Redo();  // the Reconstruct forgot the step still undone
    const Recipe r = recorder.RecipeOf();
    EXPECT_EQ(r.steps.back(), ReconstructStep());
    EXPECT_EQ(r.steps.size(), 3u);
    ASSERT_EQ(r.outputs.size(), 1u);
    EXPECT_EQ(r.outputs[0].kind, OutputKind::Buffer);
    EXPECT_EQ(r.input.size, 18u);
    EXPECT_EQ(r.count, "9");

    const double grid[5] = {1, 2, 3, 4, 5};
    s.LoadSignal(grid, 5, 5);
    EXPECT_THROW(recorder.RecipeOf(), RecipeError);
}

}  // namespace
}  // namespace recipe
