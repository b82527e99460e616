#include "analysis/transform/NoiseGains.h"

#include <algorithm>
#include <cstddef>
#include <cmath>

#include "analysis/transform/LevelGeometry.h"
#include "analysis/transform/WaveletTransform.h"
#include "framework/core/Conversions.h"
#include "framework/core/Exceptions.h"

// In the interior one level maps the approximation a of the level below to
// details by a high-pass filter g and to the next approximation by a
// low-pass filter h; for the Linear pair
//   d[m] = a[2m+1] - (a[2m] + a[2m+2]) / 2                 (g)
//   a'[m] = (-a[2m-2] + 2a[2m-1] + 6a[2m] + 2a[2m+1] - a[2m+2]) / 8   (h).
// Both are read off the transform itself: one level of it on a unit impulse
// gives the tap at that impulse's offset. The variance of a filtered sequence
// is the filter's quadratic form in the autocorrelation r of the sequence. r
// after k levels, at lags that are multiples of 2^k, obeys
//   r_k[n] = sum_{a,b} h[a] h[b] r_{k-1}[2n + a - b],
// and starts as a unit impulse (white noise). Its support stays within twice
// h's reach, so each level costs a few hundred multiplications instead of a
// pass over impulse responses that grow as 2^k.

namespace analysis {
namespace {

// Taps at offsets first, first + 1, ... from the coefficient's position.
struct Filter {
    int first = 0;
    std::vector<double> taps;
    int Reach() const { return std::max(-first, first + static_cast<int>(taps.size()) - 1); }
};

// The filter that gives the coefficient at `position` (in the middle of a
// grid wide enough that no end reaches it) after one level.
Filter OneLevelFilter(Wavelet wavelet, int position) {
    constexpr int32_t kOrder = 6;
    constexpr int kSamples = SamplesOfOrder(kOrder);
    std::vector<double> response(kSamples);
    std::vector<double> x(kSamples);
    for (int p = 0; p < kSamples; ++p) {
        std::fill(x.begin(), x.end(), 0.0);
        x[static_cast<std::size_t>(p)] = 1.0;
        ForwardTransform(wavelet, x.data(), kOrder, 1);
        response[static_cast<std::size_t>(p)] = x[static_cast<std::size_t>(position)];
    }
    int low = 0;
    while (response[static_cast<std::size_t>(low)] == 0.0) ++low;
    int high = kSamples - 1;
    while (response[static_cast<std::size_t>(high)] == 0.0) --high;
    return {low - position, std::vector<double>(response.begin() + low, response.begin() + high + 1)};
}

class Autocorrelation {
public:
    explicit Autocorrelation(int reach) : reach_(reach), r_(static_cast<std::size_t>(2 * reach + 1), 0.0) {
        r_[static_cast<std::size_t>(reach)] = 1.0;
    }
    double At(int lag) const { return std::abs(lag) > reach_ ? 0.0 : r_[static_cast<std::size_t>(lag + reach_)]; }

    // The variance of `filter` applied to the sequence.
    double Variance(const Filter& filter) const {
        double sum = 0.0;
        for (std::size_t a = 0; a < filter.taps.size(); ++a) {
            for (std::size_t b = 0; b < filter.taps.size(); ++b) {
                sum += filter.taps[a] * filter.taps[b] * At(static_cast<int>(a) - static_cast<int>(b));
            }
        }
        return sum;
    }

    // The autocorrelation of the next level's approximation.
    Autocorrelation Next(const Filter& lowPass) const {
        Autocorrelation next(reach_);
        const auto taps = static_cast<int>(lowPass.taps.size());
        for (int n = -reach_; n <= reach_; ++n) {
            double sum = 0.0;
            for (int a = 0; a < taps; ++a) {
                for (int b = 0; b < taps; ++b) {
                    sum += lowPass.taps[static_cast<std::size_t>(a)] * lowPass.taps[static_cast<std::size_t>(b)] *
                           At(2 * n + a - b);
                }
            }
            next.r_[static_cast<std::size_t>(n + reach_)] = sum;
        }
        return next;
    }

private:
    int reach_;
    std::vector<double> r_;
};

}  // namespace

std::vector<double> NoiseGains(int32_t j, int32_t levels, Wavelet wavelet) {
    if (levels < 1 || levels > j) {
        throw fw::Exception("Noise gains of " + fw::IntToStr(levels) + " levels do not fit a signal of order " +
                            fw::IntToStr(j));
    }
    constexpr int kMiddle = 32;
    const Filter highPass = OneLevelFilter(wavelet, kMiddle + 1);
    const Filter lowPass = OneLevelFilter(wavelet, kMiddle);
    Autocorrelation r(2 * lowPass.Reach());
    std::vector<double> gains;
    for (int32_t k = 1; k <= levels; ++k) {
        gains.push_back(std::sqrt(r.Variance(highPass)));
        r = r.Next(lowPass);
    }
    gains.push_back(std::sqrt(r.At(0)));
    return gains;
}

}  // namespace analysis
