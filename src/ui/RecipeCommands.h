#pragma once
// File > Save Recipe… and Replay Recipe…, and the recipe a picture carries.
// The recorder follows the window's session as the user works; a replay runs
// a recipe's steps on that same session, so the charts show its result.

#include <functional>
#include <optional>
#include <string>

#include "analysis/session/AnalysisSession.h"
#include "framework/gui/window/DialogService.h"
#include "recipe/SessionRecorder.h"
#include "ui/ResultOutput.h"

namespace ui {

inline constexpr std::string_view kRecipeOpenFilter =
    "Recipes and pictures (*.json;*.png;*.svg;*.pdf)|*.json;*.png;*.svg;*.pdf|Any files (*.*)|*.*";

class RecipeCommands {
public:
    RecipeCommands(fw::DialogService& dialogs, analysis::AnalysisSession& session, ResultOutput& output)
        : dialogs_(dialogs), session_(session), output_(output), recorder_(session) {}

    const recipe::SessionRecorder& Recorder() const { return recorder_; }
    // A file the user saved, if any, joins the recipe: the viewed item's
    // coefficients, or a signal as Save Whole Grid says.
    void Saved(recipe::OutputKind kind, const std::optional<std::string>& fileName);

    // Hashes the input and the buffer, then asks for the file. Throws for a
    // signal a recipe cannot name.
    // The file written; nullopt on cancel.
    std::optional<std::string> Save();
    // Asks for a recipe (or a picture carrying one), checks it and its
    // input, asking before it goes on with an input whose bytes differ,
    // then loads it through load(recipe, file) (a sample file with the
    // recipe's count, or the import its choices name) and runs its steps. Returns
    // the status to show, "" when it did nothing. Throws, changing nothing,
    // for a recipe that is bad or that the window cannot replay.
    using Load = std::function<void(const recipe::Recipe& recipe, const std::string& fileName)>;
    std::string Replay(const Load& load);
    // The session's recipe as text, "" when it has none (nothing loaded,
    // an input no longer readable).
    std::string PictureRecipe() const;

private:
    fw::DialogService& dialogs_;
    analysis::AnalysisSession& session_;
    ResultOutput& output_;
    recipe::SessionRecorder recorder_;
};

// "Replayed denoise.json: identical", or the first step whose result differs
// in the window's words ("Replayed denoise.json: step 3 (Thresholding Level 2)
// differs from the recipe").
std::string ReplayStatus(const std::string& fileName, const recipe::Recipe& recipe,
                         std::optional<std::size_t> firstDifference);

}  // namespace ui
