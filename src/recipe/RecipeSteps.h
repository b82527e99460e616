#pragma once
// The session's work as recipe steps, and back: what the batch and the window
// record, and what a replay hands the denoising.

#include <cstdint>
#include <string>
#include <vector>

#include "analysis/Denoise.h"
#include "analysis/DyadicSignal.h"
#include "recipe/Recipe.h"

namespace recipe {

// The window's way: Decompose, each view item with a threshold text ("" for
// none) in increasing order, Reconstruct. Texts are written as the shortest
// that read back to the same threshold.
std::vector<Step> ThresholdSteps(int32_t levels, const std::vector<std::string>& thresholdTexts);

// The thresholding of every level by settings, whose plain decomposition's
// items went through reports.
Step ApplyAllLevelsStep(const analysis::DenoiseOptions& settings, const std::vector<analysis::LevelReport>& reports);

// The denoising of the whole signal: Decompose, ApplyAllLevels, Reconstruct.
std::vector<Step> DenoiseSteps(const analysis::DenoiseOptions& settings,
                               const std::vector<analysis::LevelReport>& reports);

// What an ApplyAllLevels step over `levels` asks of the denoising. Without
// shifts every level gets the threshold recorded for it; with shifts each
// shifted copy takes its own from the rule, except the given ones.
analysis::DenoiseOptions DenoiseSettingsOf(const Step& step, int32_t levels);

// Whether the step is one the session's ApplyToAllLevels does, with any
// shifts: the approximation left alone. Others are the whole signal's
// denoising.
bool RunsInSession(const Step& step);

// The coefficients of each view item 1 ... levels + 1 of the plain
// decomposition of samples, each item shrunk by its report's threshold (an
// item without a report is left as it is).
std::vector<std::vector<double>> ShrunkCoefficients(const analysis::DyadicSignal& samples, int32_t levels,
                                                    analysis::Shrink shrink,
                                                    const std::vector<analysis::LevelReport>& reports);

}  // namespace recipe
