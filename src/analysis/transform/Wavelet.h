#pragma once
// The lifting transforms a decomposition may use. All share the dyadic grid
// and the layout of LevelGeometry, and differ in how an odd point is
// predicted from the even points around it and how the evens are updated:
// Linear, the default, predicts from the two neighbours (a 5/3 pair); Haar
// from the left neighbour alone, so a step between samples costs one detail
// per level; Cubic from the four nearest evens, so smooth stretches leave
// smaller details.

#include <optional>
#include <string_view>

namespace analysis {

enum class Wavelet {
    Linear,  // the 5/3 lifting pair
    Haar,    // piecewise-constant prediction
    Cubic,   // 4-point interpolating prediction, 4-point update
};

inline constexpr Wavelet kWavelets[] = {Wavelet::Linear, Wavelet::Haar, Wavelet::Cubic};

// "linear", "haar", "cubic": the names the batch command, the Python module
// and recipes use.
std::string_view WaveletName(Wavelet wavelet);
std::optional<Wavelet> WaveletNamed(std::string_view name);

// The caption the window shows: "Linear (5/3)", "Haar", "Cubic (4-point)".
std::string_view WaveletCaption(Wavelet wavelet);

}  // namespace analysis
