#include "recipe/RecipeSteps.h"

#include <cmath>
#include <limits>

#include "analysis/denoise/DenoiseNames.h"
#include "analysis/denoise/Thresholding.h"

namespace recipe {

std::vector<Step> ThresholdSteps(int32_t levels, const std::vector<std::string>& thresholdTexts,
                                 analysis::Wavelet wavelet) {
    std::vector<Step> steps{DecomposeStep(levels, std::string(analysis::WaveletName(wavelet)))};
    for (std::size_t item = 0; item < thresholdTexts.size(); ++item) {
        if (thresholdTexts[item].empty()) continue;
        const double t = analysis::ParseThreshold(thresholdTexts[item]);
        steps.push_back(ThresholdingStep(static_cast<int32_t>(item) + 1, ThresholdText(t)));
    }
    steps.push_back(ReconstructStep());
    return steps;
}

std::vector<Step> DenoisingSteps(const analysis::DenoiseOptions& settings) {
    return {DecomposeStep(settings.levels, std::string(analysis::WaveletName(settings.wavelet))),
            ApplyAllLevelsRequest(settings), ReconstructStep()};
}

Step ApplyAllLevelsStep(const analysis::DenoiseOptions& settings, const std::vector<analysis::LevelReport>& reports) {
    Step step;
    step.kind = StepKind::ApplyAllLevels;
    step.rule = analysis::RuleName(settings.rule);
    step.shrink = analysis::ShrinkName(settings.shrink);
    step.shifts = settings.shifts;
    if (settings.wiener) step.wiener = analysis::WaveletName(*settings.wiener);
    step.keepUnhelped = settings.keepUnhelpedLevels;
    step.noise = settings.noise;
    const auto levels = static_cast<std::size_t>(settings.levels);
    for (const analysis::LevelReport& report : reports) {
        if (static_cast<std::size_t>(report.level) <= levels) step.thresholds.push_back(report.threshold);
    }
    for (std::size_t k = 1; k <= levels; ++k) {
        const bool given = settings.rule == analysis::ThresholdRule::Fixed ||
                           (k <= settings.itemThresholds.size() && settings.itemThresholds[k - 1]);
        if (given) step.given.push_back(static_cast<int32_t>(k));
    }
    if (settings.itemThresholds.size() > levels) step.approximation = settings.itemThresholds[levels];
    return step;
}

Step ApplyAllLevelsRequest(const analysis::DenoiseOptions& settings) {
    Step step = ApplyAllLevelsStep(settings, {});
    const auto& given = settings.itemThresholds;
    for (std::size_t k = 1; k <= static_cast<std::size_t>(settings.levels); ++k) {
        if (k <= given.size() && given[k - 1]) {
            step.thresholds.push_back(*given[k - 1]);
        } else if (settings.rule == analysis::ThresholdRule::Fixed) {
            step.thresholds.push_back(settings.fixedThreshold);
        } else {
            step.thresholds.push_back(std::numeric_limits<double>::quiet_NaN());
        }
    }
    return step;
}

analysis::DenoiseOptions DenoiseSettingsOf(const Step& step, int32_t levels) {
    analysis::DenoiseOptions settings;
    settings.levels = levels;
    settings.rule = *analysis::RuleNamed(step.rule);
    settings.shrink = *analysis::ShrinkNamed(step.shrink);
    settings.shifts = step.shifts;
    if (!step.wiener.empty()) settings.wiener = analysis::WaveletNamed(step.wiener);
    settings.keepUnhelpedLevels = step.keepUnhelped;
    settings.noise = step.noise;
    settings.itemThresholds.resize(static_cast<std::size_t>(levels) + 1);
    const auto give = [&](int32_t item) {
        const double t = step.thresholds[static_cast<std::size_t>(item) - 1];
        if (!std::isnan(t)) settings.itemThresholds[static_cast<std::size_t>(item) - 1] = t;
    };
    if (analysis::PlainThresholdsHold(settings)) {
        for (int32_t k = 1; k <= levels; ++k) give(k);
    } else {
        for (const int32_t k : step.given) give(k);
    }
    settings.itemThresholds.back() = step.approximation;
    return settings;
}

bool RunsInSession(const Step& step) { return !step.approximation; }

}  // namespace recipe
