#pragma once
// The import choices by name and text, as the batch's options and a recipe
// give them: "format", "column", "delimiter", "decimal-comma", "skip-lines",
// "rows-as-series", "channel", "variable", "axis", "gaps" and "extend". One
// vocabulary, so that what the batch takes a recipe records and replays.

#include <map>
#include <string>

#include "import/SignalImport.h"

namespace importer {

// Sets the choice called name from text. Returns why text is not one
// ("'wrap' is not reflect, repeat or zero"), empty when it was set.
std::string SetChoice(ImportChoices& choices, const std::string& name, const std::string& text);

// The choices fileName was imported with, as texts SetChoice takes back:
// the format always (from the name when it was not chosen), so that an
// import with every choice left open is still told from a sample file's
// load; the extension always; the rest only when chosen, and rows as series
// and gaps only away from their defaults (false, refuse).
std::map<std::string, std::string> ChoiceTexts(const ImportChoices& choices, const std::string& fileName);

}  // namespace importer
