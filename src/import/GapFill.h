#pragma once
// Gaps in a signal: the empty fields and NaNs of a table or an array, which
// a recording leaves where it missed a value. They are refused by default,
// or filled by a straight line between the values on either side, or left
// out.

#include <cstdint>
#include <optional>
#include <string>

#include "import/Samples.h"

namespace importer {

enum class Gaps {
    Refuse,  // the first gap fails the import, named by its position
    Fill,    // x[i] = x[a] + (x[b] - x[a]) * (i - a) / (b - a) between the values
             // a < i < b around it; a gap at either end takes the nearest value
    Drop,    // the gaps are left out: the signal is its values alone
};

// "refuse", "fill", "drop"; nullopt for any other text.
std::optional<Gaps> GapsNamed(const std::string& name);
const char* GapsName(Gaps gaps);

// What a refused gap's message ends with: how to read the file anyway.
inline constexpr const char* kGapsHint = "; choose Fill or Drop gaps (--gaps fill|drop)";

// Fills or drops the NaNs of samples as gaps says and returns how many there
// were. Throws ImportFailure, naming the sample: an infinity (never a gap),
// a NaN when gaps are refused, and samples that are all gaps.
int64_t ResolveGaps(Samples& samples, Gaps gaps);

}  // namespace importer
