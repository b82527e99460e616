#include "SoakActions.h"

#include "ui/ThresholdSuggestion.h"

#include <QComboBox>
#include <QDockWidget>
#include <QSpinBox>
#include <QTableWidget>
#include <QWheelEvent>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "../ImportDialogAnswer.h"
#include "analysis/denoise/Denoise.h"
#include "ui/DenoisePanel.h"

namespace soak {
namespace {

using ui::WindowCommand;
using S = SoakSession;

// Threshold texts: numbers, edges and texts that are no number.
const char* const kThresholds[] = {"10", "0", "2.5", "100", "-1", "1e3", "0.001", "abc", "", "1e400", "12,5", "7-"};

template <typename T, std::size_t N>
const T& Pick(const T (&choices)[N], uint32_t arg) {
    return choices[arg % N];
}

QWidget& ChartHost(S& s, uint32_t arg) { return s.Control<QWidget>(arg % 2 == 0 ? "Chart1" : "Chart2"); }
chart::TChart& ChartOf(S& s, uint32_t arg) { return arg % 2 == 0 ? s.Charts().Chart1() : s.Charts().Chart2(); }

// A point inside the chart's plot, moved by arg's bits.
QPoint InPlot(S& s, uint32_t arg, int shift) {
    const fw::TRect plot = ChartOf(s, arg).PlotRect();
    const int width = std::max(1, plot.Right - plot.Left - 2);
    const int height = std::max(1, plot.Bottom - plot.Top - 2);
    return {plot.Left + 1 + static_cast<int>((arg >> shift) % width),
            plot.Top + 1 + static_cast<int>((arg >> (shift + 8)) % height)};
}

bool Enabled(S& s, WindowCommand command) { return s.form->Menu().Action(command).isEnabled(); }

void TypeCount(S& s, uint32_t arg) {
    const std::string& text = s.inputs.counts[arg % s.inputs.counts.size()];
    s.TypeInto("EdtN", QString::fromStdString(text));
    s.model.TypeCount(text);
}

void TypeThreshold(S& s, uint32_t arg) {
    const char* text = Pick(kThresholds, arg);
    s.TypeInto("EdtThresh", text);
    s.model.TypeThreshold(text);
}

// Load through the button, Enter in the count box or the menu.
void Load(S& s, uint32_t arg) {
    const auto& [name, file] = s.inputs.files[arg % s.inputs.files.size()];
    const std::string path = s.PathIn(QString::fromStdString(name));
    s.dialogs.AnswerOpenWith(path);
    switch ((arg >> 8) % 3) {
    case 0: s.Click("BtnLoad"); break;
    case 1: QTest::keyClick(&s.Edit("EdtN"), Qt::Key_Return); break;
    default: s.Choose(WindowCommand::LoadData); break;
    }
    s.model.Load(path);
}

// File > Import… of a file that imports, one that does not or one missing:
// the open dialog cancelled, the import dialog cancelled, or Import pressed
// with one of the dialog's grid extensions.
void Import(S& s, uint32_t arg) {
    if (s.importPaths.empty()) return;
    const std::string& path = s.importPaths[arg % s.importPaths.size()];
    const auto fill = static_cast<GridFill>((arg >> 8) % 3);
    const uint32_t way = (arg >> 10) % 8;
    if (way == 0) {
        s.dialogs.CancelNextOpen();
        s.Choose(WindowCommand::ImportData);
        return;
    }
    s.dialogs.AnswerOpenWith(path);
    const ImportDialogAnswer answer(*s.form, way != 1, [fill](ui::ImportDialog& dialog) {
        ImportDialogAnswer::Pick(dialog, "ImportExtension", static_cast<int>(fill));
    });
    s.Choose(WindowCommand::ImportData);
    if (answer.shown != 1) s.faults.push_back("the import dialog did not show for " + path);
    if (way != 1) s.model.Import(path, fill);
}

void CancelLoad(S& s, uint32_t) {
    s.dialogs.CancelNextOpen();
    s.Click("BtnLoad");
}

void PickLevels(S& s, uint32_t arg) {
    const int count = s.List("CBLev").count();
    if (count == 0) return;
    s.PickItem("CBLev", static_cast<int>(arg % count));
    s.model.PickLevels(static_cast<int>(arg % count));
}

void Decompose(S& s, uint32_t) {
    s.Click("BtnDecomp");
    if (s.model.loaded) s.model.Decompose();
}

void PickView(S& s, uint32_t arg) {
    const int count = s.List("CB1").count();
    if (count == 0) return;
    s.PickItem("CB1", static_cast<int>(arg % count));
    s.model.PickView(static_cast<int>(arg % count));
}

// The button, or Enter in the threshold box, which says why when there is nothing to threshold.
void Thresholding(S& s, uint32_t arg) {
    if (arg % 2 == 0) {
        s.Click("BtnThresh");
    } else {
        QTest::keyClick(&s.Edit("EdtThresh"), Qt::Key_Return);
        if (s.model.levels < 1) s.model.hint = "Decompose the signal first";
    }
    if (s.model.levels >= 1) s.model.Thresholding();
}

// Each rule and shrinkage on the shown panel, or the rule kept with the rows
// typed into it. A typed row's threshold and the Fixed rule's are the
// model's own; the other rules' come from the panel's rows. Over shifts the
// rows the rule fills are read with one shift: every shifted copy takes the
// same Universal threshold, which the model can know, while SURE's and
// Bayes's would be the rule's own per copy, so those stay at one shift.
void ApplyAll(S& s, uint32_t arg) {
    if (!s.model.panel) return;
    // Apply takes back a Reconstruct: undone first here, the panel shows the
    // rows the model reads.
    if (s.model.levels < 1 && s.model.UndoName() == "Reconstruct") {
        s.Choose(WindowCommand::Undo);
        s.model.Undo();
        FollowPanel(s);
    }
    const bool soft = (arg / 4) % 2 == 1;
    // The panel starts on Automatic, which the model leaves alone.
    if ((arg >> 3) % 3 != 0 || s.Control<QComboBox>("DenoiseRule").currentIndex() != s.model.rule) {
        // A new rule chooses every row anew.
        if ((arg >> 3) % 3 != 0) s.model.rule = static_cast<int>(arg % 4);
        s.model.typedRows.clear();
        s.PickItem("DenoiseRule", s.model.rule);
    }
    s.PickItem("DenoiseShrink", soft ? 1 : 0);
    auto& shiftsBox = s.Control<QSpinBox>("DenoiseShifts");
    shiftsBox.setValue(1);
    const analysis::DenoiseOptions options = s.form->Panel().Options();
    const bool sameForEveryCopy =
        s.model.rule == 0 || s.model.rule == 3 || static_cast<int>(s.model.typedRows.size()) == s.model.levels;
    const int shifts = sameForEveryCopy ? 1 + static_cast<int>((arg >> 12) % 4) : 1;
    shiftsBox.setValue(shifts);
    s.Click("ApplyAllLevels");
    if (s.model.levels < 1) return;
    // The Apply before replaced: undone, and done again should this one be refused.
    const bool replaces = s.model.UndoName() == "Apply to All Levels";
    if (replaces) s.model.Undo();
    const bool fixedRule = s.model.rule == 3;
    const double fixed = SoakModel::ParseThreshold(s.model.thresholdText).value_or(s.model.threshold);
    bool negative = fixedRule && fixed < 0;
    for (const auto& [row, t] : s.model.typedRows) negative |= t < 0;
    if (soft && negative) {
        s.model.boxes = 1;  // soft shrinkage refuses a negative threshold
        if (replaces) s.model.Redo();
        return;
    }
    std::vector<double> thresholds;
    for (int k = 0; k < s.model.levels; ++k) {
        // Flags and values, not optionals: GCC 12's optimiser warns about those here.
        const auto row = static_cast<std::size_t>(k);
        const bool hasShown = row < options.itemThresholds.size() && options.itemThresholds[row].has_value();
        const double shown = hasShown ? *options.itemThresholds[row] : 0.0;
        const auto typed = s.model.typedRows.find(k);
        const bool known = typed != s.model.typedRows.end() || fixedRule;
        const double own = typed != s.model.typedRows.end() ? typed->second : fixed;
        if (!hasShown || (known ? shown != own : !(shown >= 0))) {
            s.faults.push_back("the panel's threshold of level " + std::to_string(k + 1) + " is " +
                               (hasShown ? std::to_string(shown) : "missing") +
                               (known ? ", typed or fixed at " + std::to_string(own) : ""));
        }
        thresholds.push_back(known ? own : shown);
    }
    s.model.ApplyAll(thresholds, soft, shifts);
}

// A threshold typed into a row's T cell, through the cell's editor: a number
// fixes that row, anything else leaves the row as it was.
void TypeRowThreshold(S& s, uint32_t arg) {
    auto& table = s.Control<QTableWidget>("DenoiseLevels");
    if (!s.model.panel || table.rowCount() == 0) return;
    const int row = static_cast<int>(arg % static_cast<uint32_t>(table.rowCount()));
    const char* text = Pick(kThresholds, arg >> 8);
    if (!s.TypeIntoCell(table, row, ui::DenoisePanel::cThreshold, text)) {
        s.faults.push_back("no editor for the threshold of row " + std::to_string(row + 1));
        return;
    }
    if (const std::optional<double> t = SoakModel::ParseThreshold(text)) s.model.typedRows[row] = *t;
}

// A drag from a threshold line up or down; the box shows where it ended.
void DragLine(S& s, uint32_t arg) {
    if (!s.form->Charts().ThresholdLines().Visible()) return;
    chart::TChart& c = s.Charts().Chart2();
    const int x = (c.PlotRect().Left + c.PlotRect().Right) / 2;
    // A line beyond the axis stands at the plot's edge.
    const int row = std::clamp(c.LeftAxis()->CalcYPosValue(s.model.linesAt), c.PlotRect().Top, c.PlotRect().Bottom - 1);
    const int delta = static_cast<int>(arg % 40) - 20;
    s.Drag(s.Control<QWidget>("Chart2"), Qt::LeftButton, {x, row}, {x, row + (delta == 0 ? 3 : delta)});
    s.model.ShowThreshold(s.Edit("EdtThresh").text().toStdString());
    s.model.TypeViewedRow(s.model.linesAt);
}

void Reconstruct(S& s, uint32_t) {
    s.Click("BtnReconstr");
    if (s.model.canReconstruct) s.model.Reconstruct();
}

void Undo(S& s, uint32_t) {
    s.Choose(WindowCommand::Undo);
    if (s.model.CanUndo()) s.model.Undo();
}

void Redo(S& s, uint32_t) {
    s.Choose(WindowCommand::Redo);
    if (s.model.CanRedo()) s.model.Redo();
}

// A left drag right and down zooms; left or up undoes the zoom.
// A press on a threshold line of the lower chart grabs the line, not the
// zoom: the box then shows where the line was let go.
bool OnLine(S& s, uint32_t arg, QPoint p) {
    chart::TThresholdLines& lines = s.Charts().ThresholdLines();
    return arg % 2 == 1 && lines.Visible() && lines.Grabs(s.Charts().Chart2(), p.x(), p.y());
}

void ZoomDrag(S& s, uint32_t arg) {
    const QPoint a = InPlot(s, arg, 1);
    const QPoint b = InPlot(s, arg, 4);
    const bool line = OnLine(s, arg, a);
    s.Drag(ChartHost(s, arg), Qt::LeftButton, a, b);
    if (!line) return;
    s.model.ShowThreshold(s.Edit("EdtThresh").text().toStdString());
    s.model.TypeViewedRow(s.model.linesAt);
}

void Scroll(S& s, uint32_t arg) {
    const QPoint a = InPlot(s, arg, 1);
    s.Drag(ChartHost(s, arg), Qt::RightButton, a, a + QPoint(static_cast<int>(arg >> 20) % 61 - 30, 17));
}

void Wheel(S& s, uint32_t arg) {
    QWidget& host = ChartHost(s, arg);
    const QPoint p = InPlot(s, arg, 2);
    const int notches = (arg >> 24) % 2 == 0 ? 1 : -1;
    QWheelEvent wheel(QPointF(p), QPointF(host.mapToGlobal(p)), QPoint(), QPoint(0, 120 * notches), Qt::NoButton,
                      (arg >> 25) % 2 == 0 ? Qt::NoModifier : Qt::ShiftModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(&host, &wheel);
}

// Backspace undoes the zoom; Escape cancels a zoom drag, here one left open.
void Keys(S& s, uint32_t arg) {
    QWidget& host = ChartHost(s, arg);
    if ((arg >> 1) % 2 == 0) {
        QTest::keyClick(&host, Qt::Key_Backspace);
        return;
    }
    const QPoint a = InPlot(s, arg, 2);
    const bool line = OnLine(s, arg, a);
    QTest::mousePress(&host, Qt::LeftButton, Qt::NoModifier, a);
    QTest::mouseMove(&host, a + QPoint(20, 20));
    QTest::keyClick(&host, Qt::Key_Escape);
    QTest::mouseRelease(&host, Qt::LeftButton, Qt::NoModifier, a + QPoint(20, 20));
    if (line) s.model.ShowThreshold(s.Edit("EdtThresh").text().toStdString());
}

void UndoZoom(S& s, uint32_t) { s.Choose(WindowCommand::UndoZoom); }

std::vector<double> ReadNumbers(const std::string& path) {
    std::ifstream in(path);
    std::vector<double> values;
    for (std::string line; std::getline(in, line);) values.push_back(std::strtod(line.c_str(), nullptr));
    return values;
}

// A save to a new file, a folder that does not exist, or cancelled.
void Save(S& s, uint32_t arg) {
    static constexpr WindowCommand kSaves[] = {WindowCommand::SaveSignal, WindowCommand::SaveReconstruction,
                                               WindowCommand::SaveCoefficients};
    const WindowCommand command = Pick(kSaves, arg);
    if (!Enabled(s, command)) return;
    std::vector<double> expected = command == WindowCommand::SaveSignal           ? s.model.signal
                                   : command == WindowCommand::SaveReconstruction ? s.model.buffer
                                                                                  : s.model.ViewValues();
    // The signal and its reconstruction without the samples an import made up.
    if (command != WindowCommand::SaveCoefficients && !s.model.wholeGrid) {
        expected.resize(std::min<std::size_t>(expected.size(), s.model.signalSamples));
    }
    const std::string path = s.OutputPath("dat");
    switch ((arg >> 4) % 3) {
    case 0:
        s.dialogs.AnswerSaveWith(path);
        s.Choose(command);
        if (ReadNumbers(path) != expected) s.faults.push_back(path + " does not hold the plotted values");
        break;
    case 1:
        s.dialogs.AnswerSaveWith(s.BadPath("x.dat"));
        s.Choose(command);
        s.model.boxes = 1;
        break;
    default:
        s.dialogs.CancelNextSave();
        s.Choose(command);
        break;
    }
}

void Export(S& s, uint32_t arg) {
    const WindowCommand command = arg % 2 == 0 ? WindowCommand::ExportUpperChart : WindowCommand::ExportLowerChart;
    if (!Enabled(s, command)) return;
    if ((arg >> 1) % 3 == 0) {
        s.dialogs.AnswerSaveWith(s.BadPath("x.svg"));
        s.Choose(command);
        s.model.boxes = 1;
        return;
    }
    const std::string path = s.OutputPath((arg >> 1) % 3 == 1 ? "svg" : "png");
    s.dialogs.AnswerSaveWith(path);
    s.Choose(command);
    std::error_code error;
    if (std::filesystem::file_size(path, error) == 0 || error) s.faults.push_back("no picture in " + path);
}

void WholeGrid(S& s, uint32_t) {
    if (!Enabled(s, WindowCommand::SaveWholeGrid)) return;
    s.Choose(WindowCommand::SaveWholeGrid);
    s.model.wholeGrid = !s.model.wholeGrid;
}

void Copy(S& s, uint32_t arg) {
    s.Choose(arg % 2 == 0 ? WindowCommand::CopyUpperChart : WindowCommand::CopyLowerChart);
}

void SaveRecipe(S& s, uint32_t arg) {
    if (!Enabled(s, WindowCommand::SaveRecipe)) return;
    if (arg % 4 == 0) {
        s.dialogs.AnswerSaveWith(s.BadPath("r.json"));
        s.Choose(WindowCommand::SaveRecipe);
        s.model.boxes = 1;
        return;
    }
    const std::string path = s.OutputPath("json");
    s.dialogs.AnswerSaveWith(path);
    s.Choose(WindowCommand::SaveRecipe);
    s.recipes.emplace_back(path, s.model.Recipe());
}

// A recipe saved earlier in the run, or a file that is no recipe.
void ReplayRecipe(S& s, uint32_t arg) {
    if (s.recipes.empty() || arg % 4 == 0) {
        const std::string path = s.OutputPath("json");
        std::ofstream(path) << (arg % 8 == 0 ? "not json" : R"({"version": 1})");
        s.dialogs.AnswerOpenWith(path);
        s.Choose(WindowCommand::ReplayRecipe);
        s.model.boxes = 1;
        return;
    }
    const auto& [path, recipe] = s.recipes[(arg >> 2) % s.recipes.size()];
    s.dialogs.AnswerOpenWith(path);
    s.Choose(WindowCommand::ReplayRecipe);
    s.model.Replay(path, recipe);
}

void TogglePanel(S& s, uint32_t) {
    s.Choose(WindowCommand::DenoisePanel);
    s.model.panel = !s.model.panel;
}

void ToggleResidual(S& s, uint32_t) {
    if (!Enabled(s, WindowCommand::Residual)) return;
    s.Choose(WindowCommand::Residual);
    s.model.residual = !s.model.residual;
}

void SuggestThreshold(S& s, uint32_t) {
    if (!Enabled(s, WindowCommand::SuggestThreshold)) return;
    s.Choose(WindowCommand::SuggestThreshold);
    const std::string text = s.Edit("EdtThresh").text().toStdString();
    if (!SoakModel::ParseThreshold(text)) s.faults.push_back("the suggested threshold \"" + text + "\" is no number");
    s.model.ShowThreshold(text);
}

void Legend(S& s, uint32_t) { s.Choose(WindowCommand::LegendAndAxisTitles); }

void Help(S& s, uint32_t arg) {
    s.Choose(arg % 2 == 0 ? WindowCommand::MouseAndKeys : WindowCommand::About);
    s.model.boxes = 1;
}

// clang-format off
const SoakAction kActions[] = {
    // Name                Weight  Action
    {"type count",          1,      TypeCount},
    {"type threshold",      1,      TypeThreshold},
    {"load",                2,      Load},
    {"cancel load",         1,      CancelLoad},
    {"import",              2,      Import},
    {"pick levels",         1,      PickLevels},
    {"decompose",           2,      Decompose},
    {"pick view",           2,      PickView},
    {"thresholding",        2,      Thresholding},
    {"apply to all",        2,      ApplyAll},
    {"type row threshold",  2,      TypeRowThreshold},
    {"drag threshold",      1,      DragLine},
    {"reconstruct",         1,      Reconstruct},
    {"undo",                1,      Undo},
    {"redo",                1,      Redo},
    {"zoom drag",           1,      ZoomDrag},
    {"scroll",              1,      Scroll},
    {"wheel",               1,      Wheel},
    {"keys",                1,      Keys},
    {"undo zoom",           1,      UndoZoom},
    {"save",                1,      Save},
    {"save whole grid",     1,      WholeGrid},
    {"export",              1,      Export},
    {"copy",                1,      Copy},
    {"save recipe",         1,      SaveRecipe},
    {"replay recipe",       1,      ReplayRecipe},
    {"denoise panel",       1,      TogglePanel},
    {"residual",            1,      ToggleResidual},
    {"suggest threshold",   1,      SuggestThreshold},
    {"legend",              1,      Legend},
    {"help",                1,      Help},
};
// clang-format on

}  // namespace

const std::span<const SoakAction> kSoakActions{kActions};

void FollowPanel(SoakSession& s) {
    SoakModel& m = s.model;
    const bool detail = m.panel && m.viewShown && m.viewed >= 1 && m.viewed <= m.levels;
    const std::optional<double> t = detail ? s.form->Panel().RowThreshold(m.viewed) : std::nullopt;
    if (!t) {
        m.followed.reset();
        return;
    }
    if (m.followed == std::pair{m.viewed, *t}) return;
    m.followed = {m.viewed, *t};
    m.ShowThreshold(ui::ThresholdText(*t));
}

}  // namespace soak
