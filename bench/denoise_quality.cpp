// The denoising error on the Donoho-Johnstone test signals (Blocks, Bumps,
// HeaviSine, Doppler) at 2^J + 1 samples, scaled to a standard deviation of 7
// over unit Gaussian noise (SNR 7): the mean RMSE against the clean signal
// over the seeds, for every rule, shrinkage and number of shifts. It also
// writes the clean and noisy signals to a folder, one number per line, so
// that denoise_quality_pywt.py measures a reference on the very same noise.
//
//   denoise_quality [FOLDER]   (default: denoise_quality_signals)

#include <cmath>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <numbers>
#include <random>
#include <string>
#include <vector>

#include "analysis/denoise/Denoise.h"
#include "analysis/transform/LevelGeometry.h"
#include "framework/core/ShortestText.h"

namespace {

constexpr int kSeeds = 10;
constexpr double kSignalSpread = 7.0;

double Sign(double v) { return v > 0 ? 1.0 : v < 0 ? -1.0 : 0.0; }

double Blocks(double t) {
    constexpr double at[] = {.1, .13, .15, .23, .25, .40, .44, .65, .76, .78, .81};
    constexpr double height[] = {4, -5, 3, -4, 5, -4.2, 2.1, 4.3, -3.1, 2.1, -4.2};
    double f = 0;
    for (int i = 0; i < 11; ++i) f += height[i] * (1 + Sign(t - at[i])) / 2;
    return f;
}

double Bumps(double t) {
    constexpr double at[] = {.1, .13, .15, .23, .25, .40, .44, .65, .76, .78, .81};
    constexpr double height[] = {4, 5, 3, 4, 5, 4.2, 2.1, 4.3, 3.1, 5.1, 4.2};
    constexpr double width[] = {.005, .005, .006, .01, .01, .03, .01, .01, .005, .008, .005};
    double f = 0;
    for (int i = 0; i < 11; ++i) f += height[i] * std::pow(1 + std::fabs(t - at[i]) / width[i], -4);
    return f;
}

double HeaviSine(double t) { return 4 * std::sin(4 * std::numbers::pi * t) - Sign(t - .3) - Sign(.72 - t); }

double Doppler(double t) { return std::sqrt(t * (1 - t)) * std::sin(2 * std::numbers::pi * 1.05 / (t + .05)); }

struct TestSignal {
    const char* name;
    double (*f)(double);
};

std::vector<double> Clean(const TestSignal& signal, int32_t j) {
    const int32_t n = analysis::SamplesOfOrder(j);
    std::vector<double> x(static_cast<std::size_t>(n));
    double mean = 0;
    for (int32_t i = 0; i < n; ++i) mean += x[i] = signal.f(static_cast<double>(i) / (n - 1));
    mean /= n;
    double variance = 0;
    for (const double v : x) variance += (v - mean) * (v - mean);
    const double scale = kSignalSpread / std::sqrt(variance / n);
    for (double& v : x) v *= scale;
    return x;
}

void Write(const std::filesystem::path& path, const std::vector<double>& x) {
    std::ofstream out(path);
    for (const double v : x) out << fw::ShortestText(v) << '\n';
}

double Rmse(const std::vector<double>& a, const std::vector<double>& b) {
    double sum = 0;
    for (std::size_t i = 0; i < a.size(); ++i) sum += (a[i] - b[i]) * (a[i] - b[i]);
    return std::sqrt(sum / static_cast<double>(a.size()));
}

}  // namespace

int main(int argc, char** argv) {
    using analysis::Shrink;
    using analysis::ThresholdRule;
    const std::filesystem::path folder = argc > 1 ? argv[1] : "denoise_quality_signals";
    std::filesystem::create_directories(folder);
    const TestSignal signals[] = {{"blocks", Blocks}, {"bumps", Bumps}, {"heavisine", HeaviSine}, {"doppler", Doppler}};
    const std::pair<const char*, ThresholdRule> rules[] = {
        {"universal", ThresholdRule::Universal}, {"sure", ThresholdRule::Sure}, {"bayes", ThresholdRule::Bayes}};
    const std::pair<const char*, Shrink> shrinks[] = {{"hard", Shrink::Hard}, {"soft", Shrink::Soft}};
    const int32_t shiftCounts[] = {1, 4, 8, 12, 16};
    std::printf("signal,J,rule,shrink,shifts,rmse\n");
    for (const int32_t j : {10, 12}) {
        for (const TestSignal& signal : signals) {
            const std::vector<double> clean = Clean(signal, j);
            const std::string stem = std::string(signal.name) + "_" + std::to_string(j);
            Write(folder / (stem + "_clean.txt"), clean);
            std::vector<std::vector<double>> noisy;
            for (int seed = 0; seed < kSeeds; ++seed) {
                std::mt19937_64 random(static_cast<uint64_t>(1000 * j + seed));
                std::normal_distribution<double> noise;
                std::vector<double> x = clean;
                for (double& v : x) v += noise(random);
                Write(folder / (stem + "_" + std::to_string(seed) + ".txt"), x);
                noisy.push_back(std::move(x));
            }
            for (const auto& [ruleName, rule] : rules) {
                for (const auto& [shrinkName, shrink] : shrinks) {
                    for (const int32_t shifts : shiftCounts) {
                        analysis::DenoiseOptions options;
                        options.rule = rule;
                        options.shrink = shrink;
                        options.shifts = shifts;
                        double sum = 0;
                        for (const std::vector<double>& x : noisy) {
                            sum += Rmse(analysis::Denoise(x.data(), j, options).signal, clean);
                        }
                        std::printf("%s,%d,%s,%s,%d,%.4f\n", signal.name, j, ruleName, shrinkName, shifts,
                                    sum / kSeeds);
                    }
                }
            }
        }
    }
}
