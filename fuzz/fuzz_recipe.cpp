// The recipe reader's contract: a recipe it accepts is written and read back
// unchanged, and its text written again is the same text; anything it refuses
// ends in a RecipeError with a message, and in nothing else.

#include <string>

#include "FuzzInput.h"
#include "recipe/RecipeJson.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
    const std::string text(reinterpret_cast<const char*>(data), size);
    recipe::Recipe read;
    try {
        read = recipe::ReadRecipe(text);
    } catch (const recipe::RecipeError& error) {
        fuzz::Check(!error.Message().empty(), "a refused recipe has a message");
        return 0;
    }
    const std::string written = recipe::WriteRecipe(read);
    const recipe::Recipe again = recipe::ReadRecipe(written);
    fuzz::Check(again == read, "an accepted recipe reads back unchanged:\n" + written);
    fuzz::Check(recipe::WriteRecipe(again) == written, "a written recipe writes again as the same text");
    return 0;
}
