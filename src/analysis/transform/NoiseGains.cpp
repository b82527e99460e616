#include "analysis/transform/NoiseGains.h"

#include <array>
#include <cmath>

#include "framework/core/Conversions.h"
#include "framework/core/Exceptions.h"

// In the interior one level maps the approximation a of the level below to
//   d[m] = a[2m+1] - (a[2m] + a[2m+2]) / 2                 (high-pass g)
//   a'[m] = a[2m] + (d[m-1] + d[m]) / 4
//         = (-a[2m-2] + 2a[2m-1] + 6a[2m] + 2a[2m+1] - a[2m+2]) / 8   (low-pass h).
// The variance of a filtered sequence is the filter's quadratic form in the
// autocorrelation r of the sequence. r after k levels, at lags that are
// multiples of 2^k, obeys r_k[n] = sum_{a,b} h[a] h[b] r_{k-1}[2n + a - b],
// and starts as a unit impulse (white noise). Its support stays within
// |n| <= 4, so each level costs a few dozen multiplications instead of a pass
// over impulse responses that grow as 2^k.

namespace analysis {
namespace {

constexpr int kReach = 4;  // r_k[n] = 0 for |n| > kReach at every k
using Autocorrelation = std::array<double, 2 * kReach + 1>;

constexpr std::array<double, 5> kLowPass = {-0.125, 0.25, 0.75, 0.25, -0.125};  // taps at -2 ... 2
constexpr std::array<double, 3> kHighPass = {-0.5, 1.0, -0.5};                  // taps at -1 ... 1

double At(const Autocorrelation& r, int lag) { return std::abs(lag) > kReach ? 0.0 : r[lag + kReach]; }

template <std::size_t Taps>
double Variance(const std::array<double, Taps>& filter, const Autocorrelation& r) {
    double sum = 0.0;
    for (std::size_t a = 0; a < Taps; ++a) {
        for (std::size_t b = 0; b < Taps; ++b) {
            sum += filter[a] * filter[b] * At(r, static_cast<int>(a) - static_cast<int>(b));
        }
    }
    return sum;
}

Autocorrelation NextLevel(const Autocorrelation& r) {
    Autocorrelation next{};
    for (int n = -kReach; n <= kReach; ++n) {
        double sum = 0.0;
        for (int a = 0; a < 5; ++a) {
            for (int b = 0; b < 5; ++b) sum += kLowPass[a] * kLowPass[b] * At(r, 2 * n + a - b);
        }
        next[n + kReach] = sum;
    }
    return next;
}

}  // namespace

std::vector<double> NoiseGains(int32_t j, int32_t levels) {
    if (levels < 1 || levels > j) {
        throw fw::Exception("Noise gains of " + fw::IntToStr(levels) + " levels do not fit a signal of order " +
                            fw::IntToStr(j));
    }
    Autocorrelation r{};
    r[kReach] = 1.0;
    std::vector<double> gains;
    for (int32_t k = 1; k <= levels; ++k) {
        gains.push_back(std::sqrt(Variance(kHighPass, r)));
        r = NextLevel(r);
    }
    gains.push_back(std::sqrt(r[kReach]));
    return gains;
}

}  // namespace analysis
