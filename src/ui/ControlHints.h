#pragma once
// What each control of the stored layout is and what it takes, shown as its
// tooltip. The charts have none: resting over a plot shows its values.

#include <string_view>

namespace ui {

struct ControlHint {
    std::string_view Name;  // the control's name in the stored layout
    std::string_view Text;
};

inline constexpr ControlHint kControlHints[] = {
    {"EdtN", "Sample count: raised to the next 2^J + 1 (Enter loads a file)"},
    {"BtnLoad", "Load a sample file: plain numbers, the first N are read (Ctrl+O)"},
    {"CBLev", "Number of levels to decompose into"},
    {"BtnDecomp", "Decompose the signal into the chosen number of levels"},
    {"BtnReconstr", "Rebuild the signal from the coefficients; drawn in red over the original"},
    {"CB1", "Level to view; the last item is the approximation"},
    {"EdtThresh",
     "Threshold: the viewed level's coefficients whose magnitude does not exceed it become 0 (Enter applies it)"},
    {"BtnThresh", "Zero the viewed level's coefficients whose magnitude does not exceed the threshold"},
    {"Label1", "<a>: the mean of the coarse approximation"},
    {"Edit1", "The mean of the coarse approximation, once the signal is decomposed to every level"},
};

}  // namespace ui
