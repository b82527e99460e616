#pragma once
// What the window's menus can do, and what each command needs to exist before
// it can run. The menu bar and the charts' context menu are tables of these.

#include <cstdint>

namespace ui {

enum class WindowCommand : uint8_t {
    LoadData,
    ImportData,
    SaveSignal,
    SaveReconstruction,
    SaveCoefficients,
    SaveWholeGrid,
    ExportUpperChart,
    ExportLowerChart,
    PrintUpperChart,
    PrintLowerChart,
    SaveRecipe,
    ReplayRecipe,
    Quit,
    Undo,
    Redo,
    CopyUpperChart,
    CopyLowerChart,
    SuggestThreshold,
    UndoZoom,
    LegendAndAxisTitles,
    DenoisePanel,
    Residual,
    Cursors,
    MouseAndKeys,
    About,
};

inline constexpr int kWindowCommandCount = static_cast<int>(WindowCommand::About) + 1;

// What a command works on.
enum class CommandNeed : uint8_t {
    Nothing,
    Signal,          // a loaded signal (the upper chart has points)
    Reconstruction,  // a reconstruction since the last Decompose
    Coefficients,    // a viewed level plotted on the lower chart
    LowerChart,      // the lower chart shows a level or the residual
    Zoom,            // a chart zoomed in or out by the mouse
    UndoStep,        // a step to undo
    RedoStep,        // a step undone, to redo
};

// What exists now; the window works it out after every operation.
struct CommandState {
    bool Signal = false;
    bool Reconstruction = false;
    bool Coefficients = false;
    bool LowerChart = false;
    bool Zoomed = false;
    bool CanUndo = false;
    bool CanRedo = false;

    bool Has(CommandNeed need) const {
        switch (need) {
        case CommandNeed::Nothing: return true;
        case CommandNeed::Signal: return Signal;
        case CommandNeed::Reconstruction: return Reconstruction;
        case CommandNeed::Coefficients: return Coefficients;
        case CommandNeed::LowerChart: return LowerChart;
        case CommandNeed::Zoom: return Zoomed;
        case CommandNeed::UndoStep: return CanUndo;
        case CommandNeed::RedoStep: return CanRedo;
        }
        return false;
    }
};

}  // namespace ui
