#include "recipe/RecipeImport.h"

#include "framework/core/Conversions.h"
#include "import/GridExtension.h"
#include "import/ImportChoiceNames.h"
#include "recipe/Recipe.h"

namespace recipe {

importer::ImportChoices ImportChoicesOf(const std::map<std::string, std::string>& import) {
    importer::ImportChoices choices;
    for (const auto& [name, text] : import) {
        const std::string why = importer::SetChoice(choices, name, text);
        if (!why.empty()) throw RecipeError("input.import." + name + ": " + why);
    }
    return choices;
}

GridLoaded LoadOnGrid(analysis::AnalysisSession& session, const std::string& fileName, const importer::Samples& signal,
                      const importer::ImportChoices& choices, const std::string& warning) {
    const importer::GridSignal grid = importer::OnGrid(signal, choices.extension);
    session.LoadSignal(grid.samples.data(), grid.samples.size(), grid.n,
                       {fileName, fw::IntToStr(grid.size.N), importer::ChoiceTexts(choices, fileName)}, warning);
    return {grid.size, grid.n};
}

void LoadImport(analysis::AnalysisSession& session, const std::string& fileName,
                const std::map<std::string, std::string>& import, const std::string& countText,
                const analysis::ReadProgress& progress) {
    const importer::ImportChoices choices = ImportChoicesOf(import);
    const importer::ImportedSignal signal = importer::ImportSignal(fileName, choices, progress);
    const analysis::SignalSize size = importer::GridFor(static_cast<int64_t>(signal.samples.size()));
    const int32_t recipeN = analysis::NormaliseCount(fw::StrToInt(countText)).N;
    if (size.N != recipeN) {
        throw RecipeError("count: the import of \"" + fileName + "\" gives " +
                          fw::IntToStr(static_cast<int32_t>(signal.samples.size())) + " samples on a grid of N = " +
                          fw::IntToStr(size.N) + ", the recipe's grid is N = " + fw::IntToStr(recipeN));
    }
    LoadOnGrid(session, fileName, signal.samples, choices, signal.warning);
}

}  // namespace recipe
