#include "recipe/Recipe.h"

#include <cmath>

#include "analysis/denoise/Denoise.h"
#include "analysis/denoise/DenoiseNames.h"
#include "analysis/transform/DyadicSignal.h"
#include "analysis/transform/Wavelet.h"
#include "framework/core/Conversions.h"
#include "framework/core/ShortestText.h"
#include "recipe/RecipeImport.h"
#include "recipe/RecipeSteps.h"
#include "recipe/Sha256.h"

namespace recipe {
namespace {

constexpr const char* kStepNames[] = {"Decompose", "Thresholding", "ApplyAllLevels", "Reconstruct"};
constexpr const char* kOutputNames[] = {"buffer", "result", "coefficients", "signal"};

void CheckWavelet(const std::string& name, const std::string& field) {
    if (!analysis::WaveletNamed(name)) Fail(field, "'" + name + "' is not linear, haar or cubic");
}

std::string Range(int32_t low, int32_t high) { return "from " + fw::IntToStr(low) + " to " + fw::IntToStr(high); }

// The threshold a recipe's text stands for, read with "." whatever the
// user's settings; throws what the session's threshold box would.
double RecipeThreshold(const std::string& text) {
    const double value = fw::StrToDouble(text, fw::FormatSettings());
    if (std::isinf(value)) throw fw::EOverflow();
    return value;
}

class Checker {
public:
    explicit Checker(const Recipe& recipe) : recipe_(recipe) {}

    void Check() {
        if (recipe_.version != kFormatVersion) {
            Fail("version", fw::IntToStr(recipe_.version) + " is not a recipe version this program reads (" +
                                fw::IntToStr(kFormatVersion) + ")");
        }
        if (recipe_.input.name.empty()) Fail("input.file", "no file is named");
        if (!IsSha256Hex(recipe_.input.sha256)) Fail("input.sha256", "not 64 lower-case hexadecimal digits");
        ImportChoicesOf(recipe_.input.import);
        try {
            j_ = analysis::NormaliseCount(fw::StrToInt(recipe_.count)).J;
        } catch (const fw::Exception& error) {
            Fail("count", error.Message());
        }
        states_.push_back(state_);
        for (std::size_t i = 0; i < recipe_.steps.size(); ++i) {
            CheckStep(i);
            states_.push_back(state_);
        }
        for (std::size_t i = 0; i < recipe_.outputs.size(); ++i) CheckOutput(i);
    }

private:
    void CheckStep(std::size_t i) {
        const Step& step = recipe_.steps[i];
        const std::string field = "steps[" + std::to_string(i) + "]";
        const auto needDecomposition = [&] {
            if (state_.levels < 1) Fail(field, std::string(StepName(step.kind)) + " needs a decomposition before it");
        };
        switch (step.kind) {
        case StepKind::Decompose:
            if (step.levels < 1 || step.levels > j_) {
                Fail(field + ".levels", fw::IntToStr(step.levels) + " is not " + Range(1, j_) + " (J of the count)");
            }
            CheckWavelet(step.wavelet, field + ".wavelet");
            state_ = {step.levels, false};
            break;
        case StepKind::Thresholding:
            needDecomposition();
            if (step.item < 1 || step.item > state_.levels + 1) {
                Fail(field + ".item", fw::IntToStr(step.item) + " is not a view item " + Range(1, state_.levels + 1));
            }
            try {
                RecipeThreshold(step.threshold);
            } catch (const fw::Exception& error) {
                Fail(field + ".threshold", error.Message());
            }
            break;
        case StepKind::ApplyAllLevels: CheckApplyAllLevels(i, field); break;
        case StepKind::Reconstruct: state_ = {-1, true}; break;
        }
    }

    void CheckApplyAllLevels(std::size_t i, const std::string& field) {
        const Step& step = recipe_.steps[i];
        if (state_.levels < 1) Fail(field, "ApplyAllLevels needs a decomposition before it");
        // A thresholded approximation is the batch's denoising of the whole
        // signal: decompose, shrink, reconstruct, with nothing between and
        // nothing after, as no state the session's own steps reach follows
        // from it. Without it, with any shifts, the step is the session's
        // Apply to All Levels, after any decomposition.
        const bool framed = recipe_.steps[i - 1].kind == StepKind::Decompose && i + 2 == recipe_.steps.size() &&
                            recipe_.steps[i + 1].kind == StepKind::Reconstruct;
        if (!framed && !RunsInSession(step)) {
            Fail(field,
                 "ApplyAllLevels must come right after Decompose and right before the last step, Reconstruct, "
                 "when it thresholds the approximation");
        }
        if (!analysis::RuleNamed(step.rule)) Fail(field + ".rule", "'" + step.rule + "' is not a rule");
        if (!std::isfinite(step.noise) || step.noise < 0) Fail(field + ".noise", "not a finite number of 0 or more");
        if (!step.wiener.empty()) CheckWavelet(step.wiener, field + ".wiener");
        const std::optional<analysis::Shrink> shrink = analysis::ShrinkNamed(step.shrink);
        if (!shrink) Fail(field + ".shrink", "'" + step.shrink + "' is not hard or soft");
        if (step.shifts < 1 || step.shifts > analysis::kMaxShifts) {
            Fail(field + ".shifts", fw::IntToStr(step.shifts) + " is not " + Range(1, analysis::kMaxShifts));
        }
        if (step.thresholds.size() != static_cast<std::size_t>(state_.levels)) {
            Fail(field + ".thresholds",
                 std::to_string(step.thresholds.size()) + " thresholds for " + fw::IntToStr(state_.levels) + " levels");
        }
        const auto checkThreshold = [&](double t, const std::string& name) {
            if (!std::isfinite(t)) Fail(name, "not a finite number");
            if (*shrink == analysis::Shrink::Soft && t < 0) Fail(name, "soft shrinkage needs thresholds of 0 or more");
        };
        for (std::size_t k = 0; k < step.thresholds.size(); ++k) {
            checkThreshold(step.thresholds[k], field + ".thresholds[" + std::to_string(k) + "]");
        }
        if (step.approximation) checkThreshold(*step.approximation, field + ".approximation");
        int32_t previous = 0;
        for (std::size_t k = 0; k < step.given.size(); ++k) {
            if (step.given[k] <= previous || step.given[k] > state_.levels) {
                Fail(field + ".given[" + std::to_string(k) + "]",
                     "view items must rise " + Range(1, state_.levels) + ", each once");
            }
            previous = step.given[k];
        }
        if (!step.automatic) return;
        // Made again, the choice may pick another transform for the Decompose it follows.
        if (recipe_.steps[i - 1].kind != StepKind::Decompose) Fail(field + ".auto", "needs a Decompose right before");
        CheckAuto(*step.automatic, field + ".auto");
    }

    // What the automatic choice is asked with must be something it can be asked.
    void CheckAuto(const AutoRequest& request, const std::string& field) {
        if (!request.wavelet.empty()) CheckWavelet(request.wavelet, field + ".wavelet");
        if (!request.rule.empty() && analysis::RuleNamed(request.rule).value_or(analysis::ThresholdRule::Fixed) ==
                                         analysis::ThresholdRule::Fixed) {
            Fail(field + ".rule", "'" + request.rule + "' is not universal, sure or bayes");
        }
        if (!request.shrink.empty() && !analysis::ShrinkNamed(request.shrink)) {
            Fail(field + ".shrink", "'" + request.shrink + "' is not hard or soft");
        }
        if (request.shifts < 1 || request.shifts > analysis::kMaxShifts) {
            Fail(field + ".shifts", fw::IntToStr(request.shifts) + " is not " + Range(1, analysis::kMaxShifts));
        }
        for (std::size_t k = 0; k < request.given.size(); ++k) {
            if (request.given[k] > state_.levels || (k > 0 && request.given[k] <= request.given[k - 1])) {
                Fail(field + ".given[" + std::to_string(k) + "]",
                     "view items must rise " + Range(1, state_.levels) + ", each once");
            }
        }
    }

    void CheckOutput(std::size_t i) {
        const Output& output = recipe_.outputs[i];
        const std::string field = "outputs[" + std::to_string(i) + "]";
        if (output.after > recipe_.steps.size()) {
            Fail(field + ".after",
                 std::to_string(output.after) + " is more than the " + std::to_string(recipe_.steps.size()) + " steps");
        }
        if (!IsSha256Hex(output.sha256)) Fail(field + ".sha256", "not 64 lower-case hexadecimal digits");
        if (output.kind == OutputKind::Buffer) return;
        if (output.file.empty()) Fail(field + ".file", "no file is named");
        const StepState& state = states_[output.after];
        if (output.kind == OutputKind::Result && !state.reconstructed) {
            Fail(field, "a result needs a Reconstruct before it");
        }
        if (output.kind == OutputKind::Coefficients) {
            if (state.levels < 1) Fail(field, "coefficients need a decomposition before them");
            if (output.item < 1 || output.item > state.levels + 1) {
                Fail(field + ".item", fw::IntToStr(output.item) + " is not a view item " + Range(1, state.levels + 1));
            }
        }
    }

    const Recipe& recipe_;
    int32_t j_ = 0;
    StepState state_;
    std::vector<StepState> states_;  // before step 0, after step 0, ...
};

}  // namespace

const char* StepName(StepKind kind) { return kStepNames[static_cast<int>(kind)]; }

std::optional<StepKind> StepNamed(const std::string& name) {
    for (int i = 0; i < 4; ++i) {
        if (name == kStepNames[i]) return static_cast<StepKind>(i);
    }
    return std::nullopt;
}

const char* OutputName(OutputKind kind) { return kOutputNames[static_cast<int>(kind)]; }

std::string ProgramVersion() { return std::string("quelmar ") + QUELMAR_VERSION; }

void CheckRecipe(const Recipe& recipe) { Checker(recipe).Check(); }

std::string SessionThresholdText(const std::string& recipeText) {
    std::string text = recipeText;
    for (char& c : text) {
        if (c == '.') c = fw::DefaultFormatSettings().DecimalSeparator;
    }
    return text;
}

std::string ThresholdText(double t) { return fw::ShortestText(t); }

}  // namespace recipe
