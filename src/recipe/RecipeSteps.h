#pragma once
// The session's work as recipe steps, and back: what the batch and the window
// record, and what a replay hands the denoising.

#include <cstdint>
#include <string>
#include <vector>

#include "analysis/denoise/Denoise.h"
#include "analysis/transform/DyadicSignal.h"
#include "recipe/Recipe.h"

namespace recipe {

// The window's way: Decompose, each view item with a threshold text ("" for
// none) in increasing order, Reconstruct. Texts are written as the shortest
// that read back to the same threshold.
std::vector<Step> ThresholdSteps(int32_t levels, const std::vector<std::string>& thresholdTexts,
                                 analysis::Wavelet wavelet = analysis::Wavelet::Linear);

// The whole signal's denoising by settings: Decompose with its transform,
// ApplyAllLevelsRequest, Reconstruct.
std::vector<Step> DenoisingSteps(const analysis::DenoiseOptions& settings);

// The thresholding of every level by settings, whose plain decomposition's
// items went through reports.
Step ApplyAllLevelsStep(const analysis::DenoiseOptions& settings, const std::vector<analysis::LevelReport>& reports);

// The thresholding of every level by settings still to be run (StepRunner):
// the thresholds given are in it, those the rule is to choose are NaN.
Step ApplyAllLevelsRequest(const analysis::DenoiseOptions& settings);

// What an ApplyAllLevels step over `levels` asks of the denoising. Without
// shifts every level gets the threshold recorded for it; with shifts each
// shifted copy takes its own from the rule, except the given ones. A
// request's NaN leaves its level to the rule.
analysis::DenoiseOptions DenoiseSettingsOf(const Step& step, int32_t levels);

// Whether the step is one the session's ApplyToAllLevels does, with any
// shifts: the approximation left alone. Others are the whole signal's
// denoising.
bool RunsInSession(const Step& step);

}  // namespace recipe
