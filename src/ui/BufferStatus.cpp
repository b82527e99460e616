#include "ui/BufferStatus.h"

namespace ui {

std::string BufferStatusText(const BufferState& state) {
    if (!state.Loaded) return "No signal: type a sample count and load a file";
    const size_t slash = state.FileName.rfind('/');
    const std::string name = slash == std::string::npos ? state.FileName : state.FileName.substr(slash + 1);
    std::string text = "Signal of " + std::to_string(state.N) + " samples (J = " + std::to_string(state.J) + ")";
    if (!name.empty()) text += " from " + name;
    if (state.Reconstructed) return text + "; the buffer holds the reconstruction, which a new Decompose analyses";
    if (state.Levels < 1) return text;
    text += "; decomposed to " + std::to_string(state.Levels) + (state.Levels == 1 ? " level" : " levels");
    if (state.Thresholded) text += ", thresholded";
    return text;
}

}  // namespace ui
