#pragma once
// A recipe's imported input: the choices it names, read back in the batch's
// vocabulary (import/ImportChoiceNames.h), and its load as the window and
// the batch load an import.

#include <map>
#include <string>

#include "analysis/AnalysisSession.h"
#include "import/SignalImport.h"

namespace recipe {

// The choices of input.import; throws RecipeError naming the field
// ("input.import.extend: 'mirror' is not reflect, repeat or zero").
importer::ImportChoices ImportChoicesOf(const std::map<std::string, std::string>& import);

// Imports fileName with the choices of import and loads it, extended to its
// grid, on the session. Throws RecipeError ("count: ...") when that grid is
// not the one countText names, and the import's ImportError.
void LoadImport(analysis::AnalysisSession& session, const std::string& fileName,
                const std::map<std::string, std::string>& import, const std::string& countText,
                const analysis::ReadProgress& progress = {});

}  // namespace recipe
