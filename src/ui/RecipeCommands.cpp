#include "ui/RecipeCommands.h"

#include <filesystem>

#include "framework/core/Exceptions.h"
#include "framework/gui/window/ApplicationTitle.h"
#include "recipe/RecipeJson.h"
#include "recipe/RecipeReplay.h"

namespace ui {
namespace {

// A step as the window's buttons and Undo name it.
std::string WindowStepName(const recipe::Recipe& r, std::size_t index) {
    const recipe::Step& step = r.steps[index];
    switch (step.kind) {
    case recipe::StepKind::Decompose: return "Decompose " + std::to_string(step.levels) + " levels";
    case recipe::StepKind::Thresholding: {
        int32_t levels = 0;
        for (std::size_t i = 0; i < index; ++i) {
            if (r.steps[i].kind == recipe::StepKind::Decompose) levels = r.steps[i].levels;
        }
        return "Thresholding " +
               (step.item > levels ? std::string("Approximation") : "Level " + std::to_string(step.item));
    }
    case recipe::StepKind::ApplyAllLevels: return "Apply to All Levels";
    case recipe::StepKind::Reconstruct: return "Reconstruct";
    }
    return {};
}

// The recipe's input as named, else beside the recipe when only there: a
// batch names its input as its own working folder saw it.
std::string InputOf(const recipe::Recipe& r, const std::string& recipeFile) {
    const std::filesystem::path named(r.input.name);
    std::error_code error;
    if (named.is_absolute() || std::filesystem::exists(named, error)) return r.input.name;
    const std::filesystem::path beside = std::filesystem::path(recipeFile).parent_path() / named;
    return std::filesystem::exists(beside, error) ? beside.string() : r.input.name;
}

}  // namespace

std::string ReplayStatus(const std::string& fileName, const recipe::Recipe& r,
                         std::optional<std::size_t> firstDifference) {
    const std::string replayed = "Replayed " + std::filesystem::path(fileName).filename().string() + ": ";
    if (!firstDifference) return replayed + "identical";
    const std::size_t after = r.outputs[*firstDifference].after;
    if (after == 0) return replayed + "the loaded signal differs from the recipe";
    return replayed + "step " + std::to_string(after) + " (" + WindowStepName(r, after - 1) +
           ") differs from the recipe";
}

void RecipeCommands::Saved(recipe::OutputKind kind, const std::optional<std::string>& fileName) {
    if (!fileName) return;
    const bool coefficients = kind == recipe::OutputKind::Coefficients;
    recorder_.Saved(kind, *fileName, coefficients ? session_.ViewedLevel() : 0,
                    !coefficients && output_.SaveWholeGrid());
}

std::optional<std::string> RecipeCommands::Save() {
    return output_.SaveRecipe(recipe::WriteRecipe(recorder_.RecipeOf()));
}

std::string RecipeCommands::PictureRecipe() const {
    if (!recorder_.Recordable() || !session_.Samples()) return {};
    try {
        return recipe::WriteRecipe(recorder_.RecipeOf());
    } catch (const fw::Exception&) {
        return {};
    }
}

std::string RecipeCommands::Replay(const Load& load) {
    std::string fileName;
    if (!dialogs_.ExecuteOpen(std::string(kRecipeOpenFilter), fileName)) return {};
    const std::string cannot = "Cannot replay \"" + fileName + "\": ";
    recipe::Recipe r;
    try {
        r = recipe::ReadRecipeFile(fileName);
    } catch (const fw::Exception& error) {
        throw fw::Exception(cannot + error.Message());
    }
    recipe::RecipeReplay replay(r, session_);
    if (!replay.EndsInSession()) {
        throw fw::Exception(cannot +
                            "its denoising thresholds the approximation, a result the window cannot show; "
                            "replay it with quelmar-batch --recipe");
    }
    const std::string input = InputOf(r, fileName);
    if (const std::string mismatch = recipe::InputMismatch(r, input); !mismatch.empty()) {
        const std::string question =
            "The recipe's input has changed: " + mismatch + ".\n\nReplay the recipe on this file anyway?";
        if (!dialogs_.AskYesNo(fw::ApplicationTitle(), question)) return {};
    }
    load(r, input);
    std::vector<std::string> contents;
    try {
        contents = replay.Run();
    } catch (...) {
        recorder_.Replayed(r, replay.StepsDone());
        throw;
    }
    recorder_.Replayed(r, r.steps.size());
    return ReplayStatus(fileName, r, recipe::FirstDifference(r, contents));
}

}  // namespace ui
