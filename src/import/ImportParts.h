#pragma once
// Several signals of one file at once: every channel of an audio file
// (channel "all"), or the columns of a table or matrix listed ("2,3,5") or
// all of them ("all"), each read as ImportSignal reads one.

#include <string>
#include <vector>

#include "import/SignalImport.h"

namespace importer {

// Whether the choices ask for more than one part of the file.
bool AsksForManyParts(const ImportChoices& choices);

// The parts the choices name, in order, all of one length. Throws
// ImportError as ImportSignal does, also for a list that is no list of
// numbers from 1 and for parts that end up of different lengths (gaps
// dropped in one and not another).
std::vector<ImportedSignal> ImportParts(const std::string& fileName, const ImportChoices& choices,
                                        const analysis::ReadProgress& progress = {});

}  // namespace importer
