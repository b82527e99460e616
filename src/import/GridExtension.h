#pragma once
// A signal of n samples on the transform's grid of N = 2^J + 1 >= n samples:
// the samples after the signal are made up, and how they are made decides
// whether the transform sees a step at the signal's end.

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "import/Samples.h"
#include "analysis/transform/DyadicSignal.h"

namespace importer {

enum class Extension {
    Reflect,  // x[n-1+k] = x[n-1-k], mirrored again as often as needed: no step
    Repeat,   // the last sample again
    Zero,     // zeros, as a load of a short sample file gives
};

// "reflect", "repeat", "zero"; nullopt for any other text.
std::optional<Extension> ExtensionNamed(const std::string& name);
const char* ExtensionName(Extension extension);

// The grid for n samples (1 <= n): NormaliseCount's N, at least 5; throws its
// fw::Exception beyond the largest signal.
analysis::SignalSize GridFor(int64_t n);

// The n samples (n >= 1) followed by N - n made by `extension`.
Samples ExtendToGrid(const Samples& samples, int32_t N, Extension extension);

// An imported signal on its grid, as the session loads it (LoadSignal of
// samples, with n of them the signal's): one way for the window, the batch
// and a recipe's replay.
struct GridSignal {
    analysis::SignalSize size{};
    Samples samples;
    int32_t n = 0;
};
GridSignal OnGrid(const Samples& signal, Extension extension);

}  // namespace importer
