#include "recipe/RecipeSteps.h"

#include "analysis/DenoiseNames.h"
#include "analysis/Shrinkage.h"
#include "analysis/Thresholding.h"
#include "analysis/WaveletTransform.h"

namespace recipe {

std::vector<Step> ThresholdSteps(int32_t levels, const std::vector<std::string>& thresholdTexts) {
    std::vector<Step> steps{DecomposeStep(levels)};
    for (std::size_t item = 0; item < thresholdTexts.size(); ++item) {
        if (thresholdTexts[item].empty()) continue;
        const double t = analysis::ParseThreshold(thresholdTexts[item]);
        steps.push_back(ThresholdingStep(static_cast<int32_t>(item) + 1, ThresholdText(t)));
    }
    steps.push_back(ReconstructStep());
    return steps;
}

Step ApplyAllLevelsStep(const analysis::DenoiseOptions& settings, const std::vector<analysis::LevelReport>& reports) {
    Step step;
    step.kind = StepKind::ApplyAllLevels;
    step.rule = analysis::RuleName(settings.rule);
    step.shrink = analysis::ShrinkName(settings.shrink);
    step.shifts = settings.shifts;
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

std::vector<Step> DenoiseSteps(const analysis::DenoiseOptions& settings,
                               const std::vector<analysis::LevelReport>& reports) {
    return {DecomposeStep(settings.levels), ApplyAllLevelsStep(settings, reports), ReconstructStep()};
}

analysis::DenoiseOptions DenoiseSettingsOf(const Step& step, int32_t levels) {
    analysis::DenoiseOptions settings;
    settings.levels = levels;
    settings.rule = *analysis::RuleNamed(step.rule);
    settings.shrink = *analysis::ShrinkNamed(step.shrink);
    settings.shifts = step.shifts;
    settings.itemThresholds.resize(static_cast<std::size_t>(levels) + 1);
    const auto give = [&](int32_t item) {
        settings.itemThresholds[static_cast<std::size_t>(item) - 1] =
            step.thresholds[static_cast<std::size_t>(item) - 1];
    };
    if (step.shifts == 1 || settings.rule == analysis::ThresholdRule::Fixed) {
        for (int32_t k = 1; k <= levels; ++k) give(k);
    } else {
        for (const int32_t k : step.given) give(k);
    }
    settings.itemThresholds.back() = step.approximation;
    return settings;
}

bool RunsInSession(const Step& step) { return !step.approximation; }

std::vector<std::vector<double>> ShrunkCoefficients(const analysis::DyadicSignal& samples, int32_t levels,
                                                    analysis::Shrink shrink,
                                                    const std::vector<analysis::LevelReport>& reports) {
    std::vector<double> y(samples.Data(), samples.Data() + samples.N());
    analysis::ForwardTransform(y.data(), samples.J(), levels);
    std::vector<std::vector<double>> items;
    for (int32_t item = 1; item <= levels + 1; ++item) {
        const analysis::LevelGeometry g = item <= levels ? analysis::LevelGeometry::Details(samples.J(), item)
                                                         : analysis::LevelGeometry::Approximation(samples.J(), levels);
        for (const analysis::LevelReport& report : reports) {
            if (report.level == item) {
                analysis::ShrinkCoefficients(y.data() + g.first, g.stride, g.count, report.threshold, shrink);
            }
        }
        std::vector<double> values;
        for (int32_t i = 0; i < g.count; ++i) values.push_back(y[g.Position(i)]);
        items.push_back(std::move(values));
    }
    return items;
}

}  // namespace recipe
