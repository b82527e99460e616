#pragma once
// The status bar's account of what the sample buffer holds, so that the user
// knows what the next Decompose analyses, and the reasons a button did
// nothing.

#include <cstdint>
#include <string>
#include <string_view>

namespace ui {

struct BufferState {
    bool Loaded = false;
    int32_t N = 0;
    int32_t J = 0;
    std::string FileName;  // as loaded; only its name is shown
    std::string Source;    // an import's account of what it read, shown instead
    int32_t Levels = -1;   // the decomposition's levels, -1 for none
    bool Thresholded = false;
    bool Reconstructed = false;  // the buffer holds the reconstruction
    std::string Transform;       // the decomposition's transform, when not the default
};

std::string BufferStatusText(const BufferState& state);

// The figures beside the status text: after a threshold how much of the
// decomposition is zero, after a reconstruction how much it removed and how
// that compares with the noise.
struct BufferFigures {
    int64_t ZeroDetails = -1;  // -1: no threshold since the decomposition
    int64_t Details = 0;
    bool Reconstructed = false;
    double ResidualRms = 0;
    double Noise = 0;
};

std::string BufferFiguresText(const BufferFigures& figures);

inline constexpr std::string_view kChooseLevelsFirst = "Choose a number of levels first";
inline constexpr std::string_view kShortFileHint =
    "The file held fewer samples than the count: the rest are zeros. File > Import… extends a short "
    "signal by reflection instead";
inline constexpr std::string_view kChooseViewFirst = "Choose a level to view first";
inline constexpr std::string_view kTypeCountFirst = "Type a sample count first";
inline constexpr std::string_view kDecomposeFirst = "Decompose the signal first";

}  // namespace ui
