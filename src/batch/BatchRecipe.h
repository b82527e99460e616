#pragma once
// The batch's work on one input as recipe steps, and back: what the batch
// records with --save-recipe and what a replay hands the denoising.

#include <cstdint>
#include <string>
#include <vector>

#include "analysis/Denoise.h"
#include "analysis/DyadicSignal.h"
#include "recipe/Recipe.h"

namespace batch {

// The window's way: Decompose, each view item with a threshold text ("" for
// none) in increasing order, Reconstruct. Texts are written as the shortest
// that read back to the same threshold.
std::vector<recipe::Step> ThresholdSteps(int32_t levels, const std::vector<std::string>& thresholdTexts);

// The denoising of the whole signal by settings, whose plain decomposition's
// items went through reports: Decompose, ApplyAllLevels, Reconstruct.
std::vector<recipe::Step> DenoiseSteps(const analysis::DenoiseOptions& settings,
                                       const std::vector<analysis::LevelReport>& reports);

// What an ApplyAllLevels step over `levels` asks of the denoising. Without
// shifts every level gets the threshold recorded for it; with shifts each
// shifted copy takes its own from the rule, except the given ones.
analysis::DenoiseOptions DenoiseSettingsOf(const recipe::Step& step, int32_t levels);

// The coefficients of each view item 1 ... levels + 1 of the plain
// decomposition of samples, each item shrunk by its report's threshold (an
// item without a report is left as it is).
std::vector<std::vector<double>> ShrunkCoefficients(const analysis::DyadicSignal& samples, int32_t levels,
                                                    analysis::Shrink shrink,
                                                    const std::vector<analysis::LevelReport>& reports);

// What a batch run wrote for its one input, to record.
struct RunRecord {
    std::string input;
    std::string countText;
    std::vector<recipe::Step> steps;
    std::string resultFile;  // empty: standard output
    const std::vector<double>* result = nullptr;
    // Before the Reconstruct: each view item's file, in item order.
    std::vector<std::string> coefficientFiles;
};

// The recipe of a finished run: hashes the input and each file written (a
// result sent to standard output, as its text). Throws what reading them throws.
recipe::Recipe RecordRun(const RunRecord& run);

}  // namespace batch
