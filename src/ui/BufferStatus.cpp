#include "ui/BufferStatus.h"

#include "framework/core/Conversions.h"

namespace ui {

std::string BufferStatusText(const BufferState& state) {
    if (!state.Loaded) return "No signal: type a sample count and load a file";
    const size_t slash = state.FileName.rfind('/');
    const std::string name = slash == std::string::npos ? state.FileName : state.FileName.substr(slash + 1);
    std::string text = "Signal of " + std::to_string(state.N) + " samples (J = " + std::to_string(state.J) + ")";
    if (!state.Source.empty()) {
        text += " from " + state.Source;
    } else if (!name.empty()) {
        text += " from " + name;
    }
    if (state.Reconstructed) return text + "; the buffer holds the reconstruction, which a new Decompose analyses";
    if (state.Levels < 1) return text;
    text += "; decomposed to " + std::to_string(state.Levels) + (state.Levels == 1 ? " level" : " levels");
    if (!state.Transform.empty()) text += " by " + state.Transform;
    if (state.Thresholded) text += ", thresholded";
    return text;
}

std::string BufferFiguresText(const BufferFigures& figures) {
    // Four digits tell whether the residual is the noise; the user's separator.
    const auto number = [](double value) { return fw::FloatToStrF(value, fw::ffGeneral, 4, 0); };
    if (figures.Reconstructed) {
        return "Residual RMS " + number(figures.ResidualRms) + ", estimated noise σ̂ " + number(figures.Noise);
    }
    if (figures.ZeroDetails < 0) return {};
    return std::to_string(figures.ZeroDetails) + " of " + std::to_string(figures.Details) +
           " detail coefficients are zero";
}

}  // namespace ui
