#include "analysis/denoise/ThresholdRules.h"

#include <algorithm>
#include <cmath>
#include <vector>

namespace analysis {

double UniversalLevelThreshold(double sigma, int64_t n) {
    return sigma * std::sqrt(2.0 * std::log(static_cast<double>(n)));
}

double SureThreshold(std::span<const double> c, double sigma) {
    if (c.empty() || !(sigma > 0)) return 0.0;
    const double d = static_cast<double>(c.size());
    std::vector<double> squares(c.size());
    std::transform(c.begin(), c.end(), squares.begin(), [sigma](double v) { return (v / sigma) * (v / sigma); });
    double energy = 0.0;
    for (const double s : squares) energy += s;
    const double ceiling = std::sqrt(2.0 * std::log(d));
    const double sparse = std::pow(std::log2(d), 1.5) / std::sqrt(d);
    if ((energy - d) / d <= sparse) return sigma * ceiling;

    std::sort(squares.begin(), squares.end());
    // Between two magnitudes SURE only grows with t, so its least value on
    // [0, ceiling] is at t = 0 or at a magnitude. With the squares sorted, at
    // t = |x|_(k) (k counted from 1): SURE = d - 2k + sum_{i<=k} x_(i)^2 + (d - k) x_(k)^2;
    // of equal magnitudes the last counts them all and is the one kept.
    double bestRisk = d - 2.0 * static_cast<double>(std::count(squares.begin(), squares.end(), 0.0));
    double bestSquare = 0.0;
    double below = 0.0;
    for (std::size_t i = 0; i < squares.size() && squares[i] <= ceiling * ceiling; ++i) {
        below += squares[i];
        const double k = static_cast<double>(i + 1);
        const double risk = d - 2.0 * k + below + (d - k) * squares[i];
        if (risk < bestRisk) {
            bestRisk = risk;
            bestSquare = squares[i];
        }
    }
    return sigma * std::sqrt(bestSquare);
}

double BayesThreshold(std::span<const double> c, double sigma) {
    if (c.empty()) return 0.0;
    double energy = 0.0;
    double largest = 0.0;
    for (const double v : c) {
        energy += v * v;
        largest = std::max(largest, std::fabs(v));
    }
    const double signalVariance = std::max(energy / static_cast<double>(c.size()) - sigma * sigma, 0.0);
    if (signalVariance == 0.0) return largest;
    return sigma * sigma / std::sqrt(signalVariance);
}

}  // namespace analysis
