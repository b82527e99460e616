#pragma once
// A recipe's steps on an input other than its own. The thresholds its rules
// chose, the noise they estimated and the automatic denoising's choice were
// its own input's; on another input each rule estimates them again from
// that input, and the choice is made again, as the same options would on
// a run of their own there. Typed thresholds stand as typed.

#include <cstdint>
#include <span>
#include <vector>

#include "analysis/denoise/AutoChoice.h"
#include "analysis/transform/DyadicSignal.h"
#include "recipe/Recipe.h"

namespace recipe {

// What a recipe keeps of the automatic choice asked with base and fixed.
AutoRequest AutoRequestOf(const analysis::DenoiseOptions& base, const analysis::AutoFixed& fixed);

// The automatic choice step (an ApplyAllLevels with its request) made again
// on samples, with the levels of the decomposition before it.
analysis::AutoChoice ChooseAgain(const Step& step, int32_t levels, const analysis::DyadicSignal& samples);

// The steps to run on samples, loaded from another input. Throws
// RecipeError naming the Decompose whose levels its J has not.
std::vector<Step> StepsForOtherInput(std::span<const Step> steps, const analysis::DyadicSignal& samples);

}  // namespace recipe
