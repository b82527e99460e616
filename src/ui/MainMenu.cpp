#include "ui/MainMenu.h"

#include <stdexcept>

#include <QAction>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>

#include "ui/FormBuilder.h"

namespace ui {
namespace {

using C = WindowCommand;
using N = CommandNeed;

// clang-format off
const MenuItemLayout kItems[] = {
    // Menu   Caption                     Shortcut  Command                 Needs            Separator before, checkable
    {"File", "Load Data…",                "Ctrl+O", C::LoadData,           N::Nothing,        false},
    {"File", "Import…",                   "Ctrl+I", C::ImportData,         N::Nothing,        false, false, "actionImport"},
    {"File", "Save Signal As…",           "",       C::SaveSignal,         N::Signal,         true},
    {"File", "Save Reconstruction As…",   "",       C::SaveReconstruction, N::Reconstruction, false},
    {"File", "Save Coefficients As…",     "",       C::SaveCoefficients,   N::Coefficients,   false},
    {"File", "Save Whole Grid",           "",       C::SaveWholeGrid,      N::Signal,         false, true, "actionSaveWholeGrid"},
    {"File", "Export Upper Chart…",       "",       C::ExportUpperChart,   N::Signal,         true},
    {"File", "Export Lower Chart…",       "",       C::ExportLowerChart,   N::LowerChart,     false},
    {"File", "Print Upper Chart…",        "",       C::PrintUpperChart,    N::Signal,         false},
    {"File", "Print Lower Chart…",        "",       C::PrintLowerChart,    N::LowerChart,     false},
    {"File", "Save Recipe…",              "",       C::SaveRecipe,         N::Signal,         true,  false, "actionSaveRecipe"},
    {"File", "Replay Recipe…",            "",       C::ReplayRecipe,       N::Nothing,        false, false, "actionReplayRecipe"},
    {"File", "Quit",                      "Ctrl+Q", C::Quit,               N::Nothing,        true},
    {"Edit", "Undo",                      "Ctrl+Z", C::Undo,               N::UndoStep,       false, false, "actionUndo"},
    {"Edit", "Redo",                      "Ctrl+Shift+Z", C::Redo,         N::RedoStep,       false, false, "actionRedo"},
    {"Edit", "Copy Upper Chart",          "",       C::CopyUpperChart,     N::Signal,         true},
    {"Edit", "Copy Lower Chart",          "",       C::CopyLowerChart,     N::LowerChart,     false},
    {"Edit", "Suggest Threshold",         "",       C::SuggestThreshold,   N::Coefficients,   true},
    {"View", "Undo Zoom",                 "",       C::UndoZoom,           N::Zoom,           false},
    {"View", "Legend and Axis Titles",    "",       C::LegendAndAxisTitles, N::Nothing,       true,  true},
    {"View", "Denoise Panel",             "Ctrl+D", C::DenoisePanel,       N::Nothing,        true,  true, "actionDenoisePanel"},
    {"View", "Residual",                  "",       C::Residual,           N::Reconstruction, false, true, "actionResidual"},
    {"View", "Cursors",                   "",       C::Cursors,            N::Signal,         false, true, "actionCursors"},
    {"Help", "Mouse and Keys",            "",       C::MouseAndKeys,       N::Nothing,        false},
    {"Help", "About Quelmar",             "",       C::About,              N::Nothing,        false},
};
// clang-format on

}  // namespace

const std::span<const MenuItemLayout> kMainMenuItems{kItems};

std::string ShortcutList() {
    std::string list = "\nShortcuts:\n";
    for (const MenuItemLayout& item : kMainMenuItems) {
        if (item.Shortcut.empty()) continue;
        list.append("  ").append(item.Shortcut).append(": ").append(item.Menu).append(" > ").append(item.Caption);
        list.append("\n");
    }
    return list;
}

MainMenu::MainMenu(QMainWindow& window, std::function<void(WindowCommand)> run) {
    QMenu* menu = nullptr;
    std::string_view menuName;
    for (const MenuItemLayout& item : kMainMenuItems) {
        if (menu == nullptr || item.Menu != menuName) {
            menuName = item.Menu;
            menu = window.menuBar()->addMenu(ToQString(item.Menu));
        }
        if (item.SeparatorBefore) {
            menu->addSeparator();
        }
        QAction* action = menu->addAction(ToQString(item.Caption));
        if (!item.Shortcut.empty()) {
            action->setShortcut(QKeySequence(ToQString(item.Shortcut), QKeySequence::PortableText));
        }
        action->setEnabled(item.Needs == CommandNeed::Nothing);
        action->setCheckable(item.Checkable);
        action->setObjectName(ToQString(item.ObjectName));
        QObject::connect(action, &QAction::triggered, &window, [run, command = item.Command] { run(command); });
        QAction*& slot = actions_[static_cast<size_t>(item.Command)];
        if (slot != nullptr) {
            throw std::logic_error("the menu table lists a command twice: " + std::string(item.Caption));
        }
        slot = action;
    }
    for (const QAction* action : actions_) {
        if (action == nullptr) {
            throw std::logic_error("the menu table leaves out a command");
        }
    }
}

void MainMenu::Update(const CommandState& state) {
    for (const MenuItemLayout& item : kMainMenuItems) {
        Action(item.Command).setEnabled(state.Has(item.Needs));
    }
}

}  // namespace ui
