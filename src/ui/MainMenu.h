#pragma once
// The window's menu bar, built from one table: each row a menu item with its
// caption, shortcut, command and what the command needs. An item is enabled
// only while what it needs exists.

#include <array>
#include <functional>
#include <span>
#include <string>
#include <string_view>

#include "ui/WindowCommand.h"

class QAction;
class QMainWindow;

namespace ui {

struct MenuItemLayout {
    std::string_view Menu;  // the menu bar entry it belongs to
    std::string_view Caption;
    std::string_view Shortcut;  // portable key text, "" for none
    WindowCommand Command;      // each command has exactly one row
    CommandNeed Needs;
    bool SeparatorBefore;
    bool Checkable = false;            // an on/off item that shows a tick
    std::string_view ObjectName = {};  // for items a test or script finds by name
};

// In menu order; a menu's items follow its first row.
extern const std::span<const MenuItemLayout> kMainMenuItems;

// Every item's shortcut with its menu and caption, one a line, for the help.
std::string ShortcutList();

class MainMenu {
public:
    // Builds the menu bar of window; choosing an item calls run with its command.
    MainMenu(QMainWindow& window, std::function<void(WindowCommand)> run);
    MainMenu(const MainMenu&) = delete;
    MainMenu& operator=(const MainMenu&) = delete;

    // Enables each item whose needs state has.
    void Update(const CommandState& state);

    QAction& Action(WindowCommand command) const { return *actions_[static_cast<size_t>(command)]; }

private:
    std::array<QAction*, kWindowCommandCount> actions_{};  // owned by their menus
};

}  // namespace ui
