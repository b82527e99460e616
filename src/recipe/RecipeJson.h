#pragma once
// Recipes as JSON text. Reading checks everything before it returns: the
// JSON itself, the version, each field's presence and type, and then the
// recipe as the session would take it (CheckRecipe); each failure is a
// RecipeError whose message names the field.

#include <string>
#include <string_view>

#include "recipe/Recipe.h"

namespace recipe {

// Throws RecipeError for a recipe that CheckRecipe refuses or whose texts are
// not UTF-8.
std::string WriteRecipe(const Recipe& recipe);

Recipe ReadRecipe(std::string_view text);

// The recipe a file holds, or the one in a picture the program wrote; throws analysis::EFileError when it cannot be
// read, RecipeError when it holds no good recipe.
Recipe ReadRecipeFile(const std::string& fileName);

// Replaces fileName only once the whole text is written; throws RecipeError
// or fw::FileSaveError.
void SaveRecipe(const std::string& fileName, const Recipe& recipe);

}  // namespace recipe
