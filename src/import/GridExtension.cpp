#include "import/GridExtension.h"

#include <algorithm>

#include "framework/core/Exceptions.h"

namespace importer {

std::optional<Extension> ExtensionNamed(const std::string& name) {
    if (name == "reflect") return Extension::Reflect;
    if (name == "repeat") return Extension::Repeat;
    if (name == "zero") return Extension::Zero;
    return std::nullopt;
}

const char* ExtensionName(Extension extension) {
    switch (extension) {
    case Extension::Reflect: return "reflect";
    case Extension::Repeat: return "repeat";
    case Extension::Zero: break;
    }
    return "zero";
}

analysis::SignalSize GridFor(int64_t n) {
    if (n > analysis::kMaxSamples) {
        throw fw::Exception("the signal has " + std::to_string(n) + " samples, more than the " +
                            std::to_string(analysis::kMaxSamples) + " a signal may have");
    }
    return analysis::NormaliseCount(static_cast<int32_t>(n));
}

Samples ExtendToGrid(const Samples& samples, int32_t N, Extension extension) {
    const auto n = static_cast<int64_t>(samples.size());
    Samples grid = fw::MapOutOfMemory([N] { return Samples(static_cast<std::size_t>(N)); });
    std::copy(samples.begin(), samples.end(), grid.begin());
    const double last = samples.back();
    // Mirrored about the last sample and then the first, over and over: the
    // period is 2 (n - 1), and a single sample is its own mirror image.
    const int64_t period = 2 * (n - 1);
    for (int64_t i = n; i < N; ++i) {
        double value = 0.0;
        if (extension == Extension::Repeat || (extension == Extension::Reflect && period == 0)) {
            value = last;
        } else if (extension == Extension::Reflect) {
            const int64_t m = i % period;
            value = samples[static_cast<std::size_t>(m < n ? m : period - m)];
        }
        grid[static_cast<std::size_t>(i)] = value;
    }
    return grid;
}

GridSignal OnGrid(const Samples& signal, Extension extension) {
    GridSignal grid;
    grid.size = GridFor(static_cast<int64_t>(signal.size()));
    grid.samples = ExtendToGrid(signal, grid.size.N, extension);
    grid.n = static_cast<int32_t>(signal.size());
    return grid;
}

}  // namespace importer
