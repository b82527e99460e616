#include "analysis/denoise/UniversalThreshold.h"

#include <algorithm>
#include <cmath>
#include <vector>

#include "analysis/denoise/NoiseEstimate.h"

namespace analysis {

double NoiseSigma(std::span<const double> details) {
    if (details.empty()) throw fw::Exception("The universal threshold needs at least one coefficient");
    std::vector<double> magnitudes(details.size());
    std::transform(details.begin(), details.end(), magnitudes.begin(), [](double d) { return std::fabs(d); });
    const std::size_t half = magnitudes.size() / 2;
    std::nth_element(magnitudes.begin(), magnitudes.begin() + static_cast<std::ptrdiff_t>(half), magnitudes.end());
    double median = magnitudes[half];
    if (magnitudes.size() % 2 == 0) {
        // The lower middle value is the largest of the lower half.
        const double lower =
            *std::max_element(magnitudes.begin(), magnitudes.begin() + static_cast<std::ptrdiff_t>(half));
        median = 0.5 * lower + 0.5 * median;
    }
    return median / kMadPerSigma;
}

double UniversalThreshold(std::span<const double> details, int64_t signalLength) {
    if (signalLength < 1) throw fw::Exception("The universal threshold needs a signal of at least one sample");
    return NoiseSigma(details) * std::sqrt(2.0 * std::log(static_cast<double>(signalLength)));
}

}  // namespace analysis
