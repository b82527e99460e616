#include "recipe/RecipeReplay.h"

#include <algorithm>

#include "analysis/LevelGeometry.h"
#include "analysis/SampleWriter.h"
#include "framework/core/Conversions.h"
#include "recipe/RecipeImport.h"
#include "recipe/RecipeSteps.h"
#include "recipe/Sha256.h"

namespace recipe {
namespace {

std::string Quoted(const std::string& text) { return "\"" + text + "\""; }

// View item `item`'s coefficients in a buffer decomposed over `levels`.
std::vector<double> ItemValues(const double* y, int32_t j, int32_t levels, int32_t item) {
    const analysis::LevelGeometry g =
        item <= levels ? analysis::LevelGeometry::Details(j, item) : analysis::LevelGeometry::Approximation(j, levels);
    std::vector<double> values;
    for (int32_t i = 0; i < g.count; ++i) values.push_back(y[g.Position(i)]);
    return values;
}

}  // namespace

std::string InputMismatch(const Recipe& recipe, const std::string& fileName) {
    const FileDigest digest = DigestFile(fileName);
    if (digest.size == recipe.input.size && digest.sha256 == recipe.input.sha256) return {};
    return "the input " + Quoted(fileName) + " is not the recipe's: it has " + std::to_string(digest.size) +
           " bytes of SHA-256 " + digest.sha256 + ", the recipe's has " + std::to_string(recipe.input.size) +
           " bytes of SHA-256 " + recipe.input.sha256;
}

std::string DescribeOutput(const Recipe& recipe, std::size_t index) {
    const Output& output = recipe.outputs[index];
    std::string what;
    switch (output.kind) {
    case OutputKind::Buffer: what = "the buffer"; break;
    case OutputKind::Result: what = "the result " + Quoted(output.file); break;
    case OutputKind::Coefficients:
        what = "the coefficients of view item " + fw::IntToStr(output.item) + " " + Quoted(output.file);
        break;
    case OutputKind::Signal: what = "the signal " + Quoted(output.file); break;
    }
    const std::string when = output.after == 0 ? "after the load"
                                               : "after step " + std::to_string(output.after) + ", " +
                                                     StepName(recipe.steps[output.after - 1].kind);
    return "outputs[" + std::to_string(index) + "] (" + what + " " + when + ")";
}

std::optional<std::size_t> FirstDifference(const Recipe& recipe, const std::vector<std::string>& contents) {
    std::optional<std::size_t> first;
    for (std::size_t i = 0; i < contents.size(); ++i) {
        if (Sha256Hex(contents[i]) == recipe.outputs[i].sha256) continue;
        if (!first || recipe.outputs[i].after < recipe.outputs[*first].after) first = i;
    }
    return first;
}

RecipeReplay::RecipeReplay(const Recipe& recipe, analysis::AnalysisSession& session)
    : recipe_(recipe), session_(session) {}

bool RecipeReplay::EndsInSession() const {
    return std::all_of(recipe_.steps.begin(), recipe_.steps.end(),
                       [](const Step& step) { return step.kind != StepKind::ApplyAllLevels || RunsInSession(step); });
}

void RecipeReplay::Load(const std::string& fileName, const analysis::ReadProgress& progress) {
    if (recipe_.input.import.empty()) return session_.Load(recipe_.count, fileName, progress);
    LoadImport(session_, fileName, recipe_.input.import, recipe_.count, progress);
}

std::vector<std::string> RecipeReplay::Run() {
    for (const Output& output : recipe_.outputs) {
        std::string& text = output.wholeGrid ? wholeSignal_ : signal_;
        if (output.kind == OutputKind::Signal && text.empty())
            text = analysis::FormatSamples(SavedPart(output, Buffer()));
    }
    std::vector<std::string> contents(recipe_.outputs.size());
    for (done_ = 0;; ++done_) {
        for (std::size_t i = 0; i < recipe_.outputs.size(); ++i) {
            if (recipe_.outputs[i].after == done_) contents[i] = Take(recipe_.outputs[i]);
        }
        if (done_ == recipe_.steps.size()) return contents;
        RunStep(done_);
    }
}

std::span<const double> RecipeReplay::Buffer() const {
    if (denoisedStands_) return denoised_;
    return {session_.Samples()->Data(), static_cast<std::size_t>(session_.N())};
}

std::span<const double> RecipeReplay::SignalPart(std::span<const double> samples) const {
    return samples.first(std::min(samples.size(), static_cast<std::size_t>(session_.SignalSamples())));
}

void RecipeReplay::RunStep(std::size_t index) {
    const Step& step = recipe_.steps[index];
    const Step* next = index + 1 < recipe_.steps.size() ? &recipe_.steps[index + 1] : nullptr;
    switch (step.kind) {
    case StepKind::Decompose:
        // The denoising of the whole signal starts from the samples as they stand.
        if (next && next->kind == StepKind::ApplyAllLevels && !RunsInSession(*next)) {
            levels_ = step.levels;
            denoising_ = true;
            coefficients_ = ShrunkCoefficients(*session_.Samples(), levels_, analysis::Shrink::Hard, {});
        } else {
            session_.Decompose(step.levels - 1);
        }
        break;
    case StepKind::Thresholding:
        session_.SelectViewLevel(step.item - 1);
        session_.ApplyThreshold(step.item - 1, SessionThresholdText(step.threshold));
        break;
    case StepKind::ApplyAllLevels:
        if (denoising_) {
            const analysis::DenoiseOptions settings = DenoiseSettingsOf(step, levels_);
            const analysis::DyadicSignal& samples = *session_.Samples();
            analysis::DenoiseResult result = analysis::Denoise(samples.Data(), samples.J(), settings);
            coefficients_ = ShrunkCoefficients(samples, levels_, settings.shrink, result.levels);
            denoised_ = std::move(result.signal);
        } else {
            session_.ApplyToAllLevels(DenoiseSettingsOf(step, session_.Levels()));
        }
        break;
    case StepKind::Reconstruct:
        if (denoising_) {
            denoising_ = false;
            denoisedStands_ = true;
        } else {
            session_.Reconstruct();
        }
        break;
    }
}

std::string RecipeReplay::Take(const Output& output) const {
    switch (output.kind) {
    case OutputKind::Buffer: {
        const std::span<const double> buffer = Buffer();
        return std::string(reinterpret_cast<const char*>(buffer.data()), buffer.size_bytes());
    }
    case OutputKind::Result: return analysis::FormatSamples(SavedPart(output, Buffer()), output.file);
    case OutputKind::Signal: return output.wholeGrid ? wholeSignal_ : signal_;
    case OutputKind::Coefficients: {
        const auto item = static_cast<std::size_t>(output.item);
        if (denoising_) return analysis::FormatSamples(coefficients_[item - 1], output.file);
        return analysis::FormatSamples(
            ItemValues(session_.Samples()->Data(), session_.J(), session_.Levels(), output.item), output.file);
    }
    }
    return {};
}

}  // namespace recipe
