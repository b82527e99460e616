// The README's menu list is the window's: every menu title, item and shortcut
// of the menu bar and the charts' context menu, in order, so the two cannot
// drift apart.

#include <QMenu>
#include <QMenuBar>
#include <QMouseEvent>
#include <regex>
#include <sstream>

#include "WindowFixture.h"

namespace {

constexpr const char* kContextMenuLine = "A chart's context menu";

// "Menu/Item Shortcut" for every item the README's Menus section lists, a
// bullet "- Menu: "Item" (Shortcut), …" per menu, continued on indented lines.
std::vector<std::string> ReadmeMenuItems() {
    std::ifstream in(std::string(QUELMAR_SOURCE_DIR) + "/README.md");
    const std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    const size_t start = text.find("\n### Menus\n");
    if (start == std::string::npos) return {};
    const size_t end = text.find("\n#", start + 1);
    std::vector<std::string> bullets;
    std::istringstream lines(text.substr(start, end - start));
    for (std::string line; std::getline(lines, line);) {
        if (line.rfind("- ", 0) == 0)
            bullets.push_back(line.substr(2));
        else if (line.rfind("  ", 0) == 0 && !bullets.empty())
            bullets.back() += line.substr(1);
        else if (!bullets.empty())
            break;
    }
    const std::regex item(R"re("([^"]+)"(?: \(([^)]+)\))?)re");
    std::vector<std::string> items;
    for (const std::string& bullet : bullets) {
        const std::string menu = bullet.substr(0, bullet.find(':'));
        for (std::sregex_iterator i(bullet.begin(), bullet.end(), item), last; i != last; ++i) {
            items.push_back(menu + "/" + (*i)[1].str() + ((*i)[2].matched ? " " + (*i)[2].str() : ""));
        }
    }
    return items;
}

class ReadmeMenusTest : public WindowTest {
protected:
    std::vector<std::string> WindowMenuItems() {
        std::vector<std::string> items;
        for (QAction* entry : form->menuBar()->actions()) {
            for (QAction* action : entry->menu()->actions()) {
                if (action->isSeparator()) continue;
                std::string text = entry->text().toStdString() + "/" + action->text().toStdString();
                if (!action->shortcut().isEmpty()) text += " " + action->shortcut().toString().toStdString();
                items.push_back(text);
            }
        }
        // A still right click on the upper chart opens the context menu.
        QWidget& host = Control<QWidget>("Chart1");
        const QPoint at(300, 150);
        for (const QEvent::Type type : {QEvent::MouseButtonPress, QEvent::MouseButtonRelease}) {
            const Qt::MouseButtons held = type == QEvent::MouseButtonPress ? Qt::RightButton : Qt::NoButton;
            QMouseEvent event(type, at, host.mapToGlobal(at), Qt::RightButton, held, Qt::NoModifier);
            QApplication::sendEvent(&host, &event);
        }
        QMenu* menu = form->ContextMenu().Menu();
        if (menu == nullptr) return items;
        for (QAction* action : menu->actions()) {
            if (!action->isSeparator())
                items.push_back(std::string(kContextMenuLine) + "/" + action->text().toStdString());
        }
        menu->hide();
        return items;
    }
};

TEST_F(ReadmeMenusTest, ListsEveryMenuItemOfTheWindowInOrder) {
    const std::vector<std::string> readme = ReadmeMenuItems();
    ASSERT_FALSE(readme.empty()) << "README.md has no Menus section";
    EXPECT_EQ(readme, WindowMenuItems());
}

}  // namespace
