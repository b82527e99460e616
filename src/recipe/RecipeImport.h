#pragma once
// A recipe's imported input: the choices it names, read back in the batch's
// vocabulary (import/ImportChoiceNames.h), and its load as the window and
// the batch load an import.

#include <map>
#include <string>

#include "analysis/session/AnalysisSession.h"
#include "import/Samples.h"
#include "import/SignalImport.h"

namespace recipe {

// The choices of input.import; throws RecipeError naming the field
// ("input.import.extend: 'mirror' is not reflect, repeat or zero").
importer::ImportChoices ImportChoicesOf(const std::map<std::string, std::string>& import);

// The imported signal of fileName put on its grid as choices extend it and
// loaded on the session, named by its file, grid N and choices so that its
// recipe replays it: the one way the window, the batch and a replay load an
// import. Returns the grid's size and how many of its samples are the signal.
struct GridLoaded {
    analysis::SignalSize size{};
    int32_t n = 0;
};
// warning: what the import read short, which the session shows.
GridLoaded LoadOnGrid(analysis::AnalysisSession& session, const std::string& fileName, const importer::Samples& signal,
                      const importer::ImportChoices& choices, const std::string& warning = "");

// Imports fileName with the choices of import and loads it, extended to its
// grid, on the session. Throws RecipeError ("count: ...") when that grid is
// not the one countText names, and the import's ImportError.
void LoadImport(analysis::AnalysisSession& session, const std::string& fileName,
                const std::map<std::string, std::string>& import, const std::string& countText,
                const analysis::ReadProgress& progress = {});

}  // namespace recipe
