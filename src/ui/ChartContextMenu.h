#pragma once
// The charts' context menu. A right drag scrolls a chart, so the menu opens
// only on a still right click: press and release on the same pixel with no
// move to another pixel between them. The chart itself sees every event as
// before; this watches its host widget from outside.

#include <functional>
#include <span>
#include <string_view>

#include <QObject>
#include <QPoint>

#include "ui/ResultOutput.h"
#include "ui/WindowCommand.h"

class QMenu;
class QWidget;

namespace ui {

struct ContextItemLayout {
    std::string_view Caption;
    WindowCommand Upper;  // the command on the upper chart
    WindowCommand Lower;  // on the lower chart
};

extern const std::span<const ContextItemLayout> kChartContextItems;

class ChartContextMenu : public QObject {
public:
    // Watches both chart hosts. enabled tells whether a command can run now;
    // run carries out the one chosen. The menu is a child of window.
    ChartContextMenu(QWidget& window, QWidget& upperHost, QWidget& lowerHost,
                     std::function<bool(WindowCommand)> enabled, std::function<void(WindowCommand)> run);

    // The menu last opened (hidden once it closes); null before the first.
    QMenu* Menu() const { return menu_; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void Open(ChartPlace place, const QPoint& globalPosition);

    QWidget& window_;
    QWidget& upperHost_;
    QWidget& lowerHost_;
    std::function<bool(WindowCommand)> enabled_;
    std::function<void(WindowCommand)> run_;
    QMenu* menu_ = nullptr;
    QObject* pressedOn_ = nullptr;  // the host a right press started on
    QPoint pressedAt_;
    bool moved_ = false;
};

}  // namespace ui
