#include "analysis/transform/Wavelet.h"

#include <array>

namespace analysis {
namespace {

struct Names {
    Wavelet wavelet;
    std::string_view name;
    std::string_view caption;
};

constexpr std::array kNames{Names{Wavelet::Linear, "linear", "Linear (5/3)"}, Names{Wavelet::Haar, "haar", "Haar"},
                            Names{Wavelet::Cubic, "cubic", "Cubic (4-point)"}};

const Names& Of(Wavelet wavelet) {
    for (const Names& names : kNames) {
        if (names.wavelet == wavelet) return names;
    }
    return kNames[0];
}

}  // namespace

std::string_view WaveletName(Wavelet wavelet) { return Of(wavelet).name; }
std::string_view WaveletCaption(Wavelet wavelet) { return Of(wavelet).caption; }

std::optional<Wavelet> WaveletNamed(std::string_view name) {
    for (const Names& names : kNames) {
        if (names.name == name) return names.wavelet;
    }
    return std::nullopt;
}

}  // namespace analysis
