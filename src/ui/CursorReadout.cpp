#include "ui/CursorReadout.h"

#include <algorithm>
#include <cmath>
#include <vector>

#include "framework/core/Conversions.h"

namespace ui {
namespace {

// Four digits tell the stretches apart; the user's decimal separator.
std::string FourDigits(double value) { return fw::FloatToStrF(value, fw::ffGeneral, 4, 0); }

std::string FiguresText(const std::string& what, const StretchFigures& figures) {
    return "; " + what + " mean " + FourDigits(figures.mean) + ", RMS " + FourDigits(figures.rms) + ", min " +
           FourDigits(figures.min) + ", max " + FourDigits(figures.max);
}

}  // namespace

StretchFigures FiguresOf(std::span<const double> values) {
    long double sum = 0;
    long double squares = 0;
    for (const double v : values) {
        sum += v;
        squares += static_cast<long double>(v) * v;
    }
    const auto n = static_cast<long double>(values.size());
    const auto [min, max] = std::minmax_element(values.begin(), values.end());
    return {static_cast<double>(sum / n), static_cast<double>(std::sqrt(squares / n)), *min, *max};
}

std::string CursorReadoutText(int32_t a, int32_t b, std::span<const double> signal,
                              std::span<const double> reconstruction) {
    const int32_t first = std::min(a, b);
    const auto at = [&](int32_t index) { return signal[static_cast<std::size_t>(index - first)]; };
    std::string text = "A " + std::to_string(a) + " (" + FourDigits(at(a)) + "), B " + std::to_string(b) + " (" +
                       FourDigits(at(b)) + "), ΔN " + std::to_string(b - a);
    text += FiguresText("signal", FiguresOf(signal));
    if (reconstruction.size() != signal.size()) return text;
    std::vector<double> residual;
    for (std::size_t i = 0; i < signal.size(); ++i) residual.push_back(signal[i] - reconstruction[i]);
    const StretchFigures rebuilt = FiguresOf(reconstruction);
    const StretchFigures rest = FiguresOf(residual);
    text += FiguresText("reconstruction", rebuilt) + FiguresText("residual", rest);
    if (rest.rms > 0) text += "; SNR " + FourDigits(20 * std::log10(rebuilt.rms / rest.rms)) + " dB";
    return text;
}

}  // namespace ui
