#include "batch/BatchRecipe.h"

#include "analysis/DenoiseNames.h"
#include "analysis/SampleWriter.h"
#include "analysis/Shrinkage.h"
#include "analysis/Thresholding.h"
#include "analysis/WaveletTransform.h"
#include "recipe/Sha256.h"

namespace batch {

std::vector<recipe::Step> ThresholdSteps(int32_t levels, const std::vector<std::string>& thresholdTexts) {
    std::vector<recipe::Step> steps{recipe::DecomposeStep(levels)};
    for (std::size_t item = 0; item < thresholdTexts.size(); ++item) {
        if (thresholdTexts[item].empty()) continue;
        const double t = analysis::ParseThreshold(thresholdTexts[item]);
        steps.push_back(recipe::ThresholdingStep(static_cast<int32_t>(item) + 1, recipe::ThresholdText(t)));
    }
    steps.push_back(recipe::ReconstructStep());
    return steps;
}

std::vector<recipe::Step> DenoiseSteps(const analysis::DenoiseOptions& settings,
                                       const std::vector<analysis::LevelReport>& reports) {
    recipe::Step step;
    step.kind = recipe::StepKind::ApplyAllLevels;
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
    return {recipe::DecomposeStep(settings.levels), step, recipe::ReconstructStep()};
}

analysis::DenoiseOptions DenoiseSettingsOf(const recipe::Step& step, int32_t levels) {
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

recipe::Recipe RecordRun(const RunRecord& run) {
    recipe::Recipe r;
    r.program = recipe::ProgramVersion();
    const recipe::FileDigest input = recipe::DigestFile(run.input);
    r.input = {run.input, input.size, input.sha256, {}};
    r.count = run.countText;
    r.steps = run.steps;
    const std::size_t beforeReconstruct = r.steps.size() - 1;
    for (std::size_t item = 0; item < run.coefficientFiles.size(); ++item) {
        const std::string& file = run.coefficientFiles[item];
        r.outputs.push_back({recipe::OutputKind::Coefficients, file, static_cast<int32_t>(item) + 1, beforeReconstruct,
                             recipe::DigestFile(file).sha256});
    }
    const std::string resultHash = run.resultFile.empty() ? recipe::Sha256Hex(analysis::FormatSamples(*run.result))
                                                          : recipe::DigestFile(run.resultFile).sha256;
    r.outputs.push_back(
        {recipe::OutputKind::Result, run.resultFile.empty() ? "-" : run.resultFile, 0, r.steps.size(), resultHash});
    r.outputs.push_back({recipe::OutputKind::Buffer, "", 0, r.steps.size(),
                         recipe::Sha256Hex(run.result->data(), run.result->size() * sizeof(double))});
    return r;
}

}  // namespace batch
