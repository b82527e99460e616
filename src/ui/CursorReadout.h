#pragma once
// What the cursors measure: their samples and values, the samples between
// them, and over that stretch (both ends in) the mean, RMS, least and
// largest value of the signal, the reconstruction and the residual (signal
// minus reconstruction), and the reconstruction's SNR against the residual.

#include <cstdint>
#include <span>
#include <string>

namespace ui {

struct StretchFigures {
    double mean = 0;
    double rms = 0;
    double min = 0;
    double max = 0;
};

// Over a stretch of at least one value.
StretchFigures FiguresOf(std::span<const double> values);

// "A 12 (0.512), B 40 (1.2), ΔN 28; signal mean ..., RMS ..., min ..., max ...;
// reconstruction ...; residual ...; SNR 12.3 dB". signal holds the samples
// min(a, b) ... max(a, b), reconstruction the same of the reconstruction or
// nothing, and then the signal's figures stand alone.
std::string CursorReadoutText(int32_t a, int32_t b, std::span<const double> signal,
                              std::span<const double> reconstruction);

}  // namespace ui
