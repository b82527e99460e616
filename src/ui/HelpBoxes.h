#pragma once
// The texts of the Help menu's boxes.

#include <string>
#include <string_view>

namespace ui {

inline constexpr std::string_view kMouseAndKeysCaption = "Mouse and Keys";
inline constexpr std::string_view kMouseAndKeysText =
    "On either chart:\n"
    "  Left drag to the right and down: zoom into the rectangle.\n"
    "  Left drag to the left or up: undo the zoom.\n"
    "  Mouse wheel: zoom around the cursor; with Shift, across only.\n"
    "  Right drag: scroll.\n"
    "  Right click without moving: Copy, Export, Print and Undo Zoom.\n"
    "  Escape during a zoom drag: cancel it. Backspace, or View > Undo Zoom: undo the zoom.\n"
    "  Resting over the plot: the values under the cursor.\n"
    "\n"
    "Drop a file on the window to load or import it. With the Denoise panel, drag a threshold\n"
    "line on the lower chart to move the threshold and preview its result.\n"
    "Enter in the count box: load; in the threshold box: threshold.\n";

inline constexpr std::string_view kAboutCaption = "About Quelmar";

// The About box for the given version.
inline std::string AboutText(std::string_view version) {
    return "Quelmar " + std::string(version) +
           "\n\nStudies a sampled signal with an interpolating lifting wavelet transform: "
           "load it, decompose it into levels, look at one level's coefficients, zero the small ones "
           "and rebuild the signal.";
}

}  // namespace ui
