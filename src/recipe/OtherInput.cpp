#include "recipe/OtherInput.h"

#include <limits>

#include "analysis/denoise/DenoiseNames.h"
#include "framework/core/Conversions.h"
#include "recipe/RecipeSteps.h"

namespace recipe {

AutoRequest AutoRequestOf(const analysis::DenoiseOptions& base, const analysis::AutoFixed& fixed) {
    AutoRequest request;
    if (fixed.wavelet) request.wavelet = analysis::WaveletName(*fixed.wavelet);
    if (fixed.rule) request.rule = analysis::RuleName(*fixed.rule);
    if (fixed.shrink) request.shrink = analysis::ShrinkName(*fixed.shrink);
    request.shifts = base.shifts;
    for (std::size_t k = 1; k <= base.itemThresholds.size() && k <= static_cast<std::size_t>(base.levels); ++k) {
        if (base.itemThresholds[k - 1]) request.given.push_back(static_cast<int32_t>(k));
    }
    return request;
}

analysis::AutoChoice ChooseAgain(const Step& step, int32_t levels, const analysis::DyadicSignal& samples) {
    const AutoRequest& request = *step.automatic;
    analysis::AutoFixed fixed;
    if (!request.wavelet.empty()) fixed.wavelet = analysis::WaveletNamed(request.wavelet);
    if (!request.rule.empty()) fixed.rule = analysis::RuleNamed(request.rule);
    if (!request.shrink.empty()) fixed.shrink = analysis::ShrinkNamed(request.shrink);
    // The base a run of the options gives the choice: its defaults where
    // nothing was fixed, and the typed thresholds.
    analysis::DenoiseOptions base;
    base.levels = levels;
    base.wavelet = fixed.wavelet.value_or(analysis::Wavelet::Linear);
    base.rule = fixed.rule.value_or(analysis::kAutoRule);
    base.shrink = fixed.shrink.value_or(analysis::kAutoShrink);
    base.shifts = request.shifts;
    if (!request.given.empty() || step.approximation) {
        base.itemThresholds.resize(static_cast<std::size_t>(levels) + 1);
        for (const int32_t k : request.given) {
            base.itemThresholds[static_cast<std::size_t>(k) - 1] = step.thresholds[static_cast<std::size_t>(k) - 1];
        }
        base.itemThresholds.back() = step.approximation;
    }
    return analysis::ChooseAutomatically(samples.Data(), samples.J(), base, fixed);
}

std::vector<Step> StepsForOtherInput(std::span<const Step> steps, const analysis::DyadicSignal& samples) {
    std::vector<Step> made(steps.begin(), steps.end());
    for (std::size_t i = 0; i < made.size(); ++i) {
        Step& step = made[i];
        if (step.kind == StepKind::Decompose && step.levels > samples.J()) {
            throw RecipeError("steps[" + std::to_string(i) + "].levels: " + fw::IntToStr(step.levels) +
                              " levels; the input has the levels 1 ... " + fw::IntToStr(samples.J()));
        }
        if (step.kind != StepKind::ApplyAllLevels) continue;
        const auto levels = static_cast<int32_t>(step.thresholds.size());
        if (step.automatic) {
            // The choice may pick another transform: its Decompose goes with it.
            std::vector<Step> chosen = DenoisingSteps(ChooseAgain(step, levels, samples).options);
            chosen[1].automatic = step.automatic;
            made[i - 1] = chosen[0];
            step = chosen[1];
        } else if (step.rule != analysis::RuleName(analysis::ThresholdRule::Fixed)) {
            std::vector<double> typed(step.thresholds.size(), std::numeric_limits<double>::quiet_NaN());
            for (const int32_t k : step.given) {
                typed[static_cast<std::size_t>(k) - 1] = step.thresholds[static_cast<std::size_t>(k) - 1];
            }
            step.thresholds = std::move(typed);
            step.noise = 0;
        }
    }
    return made;
}

}  // namespace recipe
