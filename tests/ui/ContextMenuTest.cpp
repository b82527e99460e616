// The charts' context menu: a still right click opens it, a right drag does
// not; its items follow what exists and act on the chart clicked.

#include <QClipboard>
#include <QGuiApplication>
#include <QMenu>
#include <QMouseEvent>

#include "WindowFixture.h"

namespace {

class ContextMenuTest : public WindowTest {
protected:
    // Sends one mouse event of the right button to a chart area.
    void Send(const char* chart, QEvent::Type type, QPoint at) {
        QWidget& host = Control<QWidget>(chart);
        const Qt::MouseButton button = type == QEvent::MouseMove ? Qt::NoButton : Qt::RightButton;
        const Qt::MouseButtons held = type == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::RightButton;
        QMouseEvent event(type, at, host.mapToGlobal(at), button, held, Qt::NoModifier);
        QApplication::sendEvent(&host, &event);
    }

    // The right button pressed at the first point, moved through the others
    // and released at the last; returns the menu's items then ("+" when
    // enabled), empty when no menu opened.
    std::vector<std::string> RightGesture(const char* chart, std::vector<QPoint> path) {
        Send(chart, QEvent::MouseButtonPress, path.front());
        for (size_t i = 1; i < path.size(); ++i) Send(chart, QEvent::MouseMove, path[i]);
        Send(chart, QEvent::MouseButtonRelease, path.back());
        std::vector<std::string> items;
        QMenu* menu = form->ContextMenu().Menu();
        if (menu == nullptr || !menu->isVisible()) return items;
        for (QAction* action : menu->actions()) {
            items.push_back((action->isEnabled() ? "+" : "") + action->text().toStdString());
        }
        menu->hide();
        return items;
    }
};

TEST_F(ContextMenuTest, OpensOnAStillRightClickOnlyWithItemsForWhatTheChartShows) {
    const std::vector<std::string> none;
    const std::vector<std::string> disabled{"Copy", "Export…", "Print…", "Undo Zoom"};
    const std::vector<std::string> enabled{"+Copy", "+Export…", "+Print…", "Undo Zoom"};
    const QPoint p(300, 150);
    const auto nothing = [] {};
    const struct {
        const char* gesture;
        std::function<void()> before;
        const char* chart;
        std::vector<QPoint> path;
        const std::vector<std::string>& expected;
    } gestures[] = {
        {"still click, empty chart", nothing, "Chart1", {p}, disabled},
        {"still click after moves on the same pixel", nothing, "Chart1", {p, p, p}, disabled},
        {"drag", nothing, "Chart1", {p, p + QPoint(1, 0), p + QPoint(20, 5)}, none},
        {"drag that comes back", nothing, "Chart1", {p, p + QPoint(0, 1), p}, none},
        {"still click, signal shown", [&] { LoadSignal(); }, "Chart1", {p}, enabled},
        {"still click, lower chart empty", nothing, "Chart2", {p}, disabled},
        {"still click, coefficients shown",
         [&] {
             PickItem("CBLev", 2);
             Click("BtnDecomp");
             PickItem("CB1", 0);
         },
         "Chart2",
         {p},
         enabled},
        {"drag on the lower chart", nothing, "Chart2", {p, p - QPoint(3, 3)}, none},
    };
    for (const auto& g : gestures) {
        g.before();
        EXPECT_EQ(RightGesture(g.chart, g.path), g.expected) << g.gesture;
    }
    // A left click opens nothing.
    QTest::mouseClick(&Control<QWidget>("Chart1"), Qt::LeftButton, {}, p);
    EXPECT_TRUE(form->ContextMenu().Menu() == nullptr || !form->ContextMenu().Menu()->isVisible());
}

TEST_F(ContextMenuTest, ItemsActOnTheChartClicked) {
    LoadDecomposeAndView(2, 0);
    dialogs.Log.clear();
    const QPoint p(200, 100);
    Send("Chart2", QEvent::MouseButtonPress, p);
    Send("Chart2", QEvent::MouseButtonRelease, p);
    QMenu* menu = form->ContextMenu().Menu();
    ASSERT_TRUE(menu != nullptr && menu->isVisible());
    QGuiApplication::clipboard()->clear();
    menu->actions().at(0)->trigger();
    menu->hide();
    EXPECT_TRUE(QGuiApplication::clipboard()->image().convertToFormat(QImage::Format_RGB32) == ChartPicture("Chart2"));

    Send("Chart1", QEvent::MouseButtonPress, p);
    Send("Chart1", QEvent::MouseButtonRelease, p);
    dialogs.CancelNextSave();
    menu->actions().at(1)->trigger();
    menu->hide();
    EXPECT_EQ(dialogs.Log, std::vector<std::string>{"save " + PathIn("signal_upper_chart.png") + " [0]"});
}

}  // namespace
