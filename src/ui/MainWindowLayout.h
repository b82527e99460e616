#pragma once
// The stored layout of the main window: one row per control, in creation order.
// The window is built from these rows; values not listed keep Qt's defaults.

#include <algorithm>
#include <array>
#include <string_view>

#include "app/ProgramCharts.h"

namespace ui {

enum class ControlKind {
    ChartArea,     // supplied by ChartAreas, placed here
    Button,        // push button
    Edit,          // one-line edit box
    DropDownList,  // read-only drop-down list: only its items can be chosen
    Label,         // static text, never takes focus
};

struct FontLayout {
    std::string_view Name;
    int PixelSize;  // character height in pixels
    bool Bold;
};

struct ControlLayout {
    std::string_view Name;
    ControlKind Kind;
    int Left;
    int Top;
    int Width;
    int Height;
    std::string_view Text;
    bool Enabled;
    int TabOrder;            // -1: not in the tab order
    int ItemHeight;          // drop-down lists only; 0 elsewhere
    const FontLayout* Font;  // null: the window's font
};

struct WindowLayout {
    std::string_view Caption;
    int Left;  // outer frame position on the screen
    int Top;
    int ClientWidth;
    int ClientHeight;
    FontLayout Font;
};

// The frame was designed at 800 x 637; less a 4-pixel border on each side and
// a 19-pixel caption bar that leaves a 792 x 610 client area.
inline constexpr WindowLayout kMainWindow{"The Quelmar Scheme ", 195, 108, 792, 610, {"MS Sans Serif", 11, false}};

inline constexpr FontLayout kReadoutLabelFont{"MS Sans Serif", 13, true};

// The charts sit where the program's charts are drawn off-screen too.
inline constexpr fw::TRect kChart1 = app::ProgramCharts::Chart1Bounds;
inline constexpr fw::TRect kChart2 = app::ProgramCharts::Chart2Bounds;

// clang-format off
inline constexpr ControlLayout kMainWindowControls[] = {
    // Name          Kind                       Left Top  W    H    Text            Enabled Tab Item Font
    {"Chart1",      ControlKind::ChartArea,    kChart1.Left, kChart1.Top, kChart1.Width(), kChart1.Height(), "", true, 0, 0, nullptr},
    {"BtnDecomp",   ControlKind::Button,       704, 149, 81,  25,  "Decompose",    false,  1,  0,   nullptr},
    {"Chart2",      ControlKind::ChartArea,    kChart2.Left, kChart2.Top, kChart2.Width(), kChart2.Height(), "", true, 2, 0, nullptr},
    {"BtnThresh",   ControlKind::Button,       704, 467, 81,  25,  "Thresholding", false,  3,  0,   nullptr},
    {"BtnReconstr", ControlKind::Button,       704, 264, 81,  25,  "Reconstruct",  false,  4,  0,   nullptr},
    {"EdtThresh",   ControlKind::Edit,         725, 443, 41,  21,  "10",           true,   5,  0,   nullptr},
    {"CBLev",       ControlKind::DropDownList, 704, 120, 81,  21,  "",             true,   6,  13,  nullptr},
    {"EdtN",        ControlKind::Edit,         704, 4,   81,  21,  "513",          true,   7,  0,   nullptr},
    {"BtnLoad",     ControlKind::Button,       704, 32,  81,  25,  "Load Data",    true,   8,  0,   nullptr},
    {"CB1",         ControlKind::DropDownList, 704, 400, 81,  21,  "",             true,   9,  13,  nullptr},
    {"Edit1",       ControlKind::Edit,         731, 581, 57,  21,  "",             true,   10, 0,   nullptr},
    {"Label1",      ControlKind::Label,        699, 584, 30,  16,  "<a>:",         true,   -1, 0,   &kReadoutLabelFont},
};
// clang-format on

// Labels that name the boxes of the column, where the stored layout leaves
// them room (the count box has none above it: its placeholder names it). They
// come after the stored controls and take no focus; each names its buddy.
// clang-format off
inline constexpr ControlLayout kColumnLabels[] = {
    // Name        Kind                 Left Top  W   H   Text      Enabled Tab Item Font
    {"LblLevels",  ControlKind::Label,  704, 103, 81, 15, "Levels", true,   -1, 0,   nullptr},
    {"LblView",    ControlKind::Label,  704, 383, 81, 15, "View",   true,   -1, 0,   nullptr},
    {"LblThresh",  ControlKind::Label,  704, 446, 19, 15, "T",      true,   -1, 0,   nullptr},
};
// clang-format on
inline constexpr std::string_view kColumnLabelBuddies[] = {"CBLev", "CB1", "EdtThresh"};

// Every control the client area places: the stored ones, then the labels.
inline constexpr auto kPlacedControls = [] {
    std::array<ControlLayout, std::size(kMainWindowControls) + std::size(kColumnLabels)> all{};
    std::ranges::copy(kMainWindowControls, all.begin());
    std::ranges::copy(kColumnLabels, all.begin() + std::size(kMainWindowControls));
    return all;
}();

// The open dialog's filter: description|patterns pairs.
inline constexpr std::string_view kOpenDialogFilter = "Data files (*.dat, *.txt)|*.dat; *.txt|Any files (*.*)|*.*";

}  // namespace ui
