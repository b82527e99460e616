#include "ui/ChartContextMenu.h"

#include <QMenu>
#include <QMouseEvent>
#include <QWidget>

namespace ui {
namespace {

using C = WindowCommand;

const ContextItemLayout kItems[] = {
    {"Copy", C::CopyUpperChart, C::CopyLowerChart},
    {"Export…", C::ExportUpperChart, C::ExportLowerChart},
    {"Print…", C::PrintUpperChart, C::PrintLowerChart},
    {"Undo Zoom", C::UndoZoom, C::UndoZoom},
};

}  // namespace

const std::span<const ContextItemLayout> kChartContextItems{kItems};

ChartContextMenu::ChartContextMenu(QWidget& window, QWidget& upperHost, QWidget& lowerHost,
                                   std::function<bool(WindowCommand)> enabled, std::function<void(WindowCommand)> run)
    : QObject(&window),
      window_(window),
      upperHost_(upperHost),
      lowerHost_(lowerHost),
      enabled_(std::move(enabled)),
      run_(std::move(run)) {
    upperHost_.installEventFilter(this);
    lowerHost_.installEventFilter(this);
}

bool ChartContextMenu::eventFilter(QObject* watched, QEvent* event) {
    switch (event->type()) {
    case QEvent::MouseButtonPress: {
        const auto* mouse = static_cast<QMouseEvent*>(event);
        if (mouse->button() == Qt::RightButton) {
            pressedOn_ = watched;
            pressedAt_ = mouse->position().toPoint();
            moved_ = false;
        }
        break;
    }
    case QEvent::MouseMove:
        if (pressedOn_ == watched && static_cast<QMouseEvent*>(event)->position().toPoint() != pressedAt_) {
            moved_ = true;
        }
        break;
    case QEvent::MouseButtonRelease: {
        const auto* mouse = static_cast<QMouseEvent*>(event);
        if (mouse->button() != Qt::RightButton || pressedOn_ != watched) {
            break;
        }
        pressedOn_ = nullptr;
        if (!moved_ && mouse->position().toPoint() == pressedAt_) {
            Open(watched == &upperHost_ ? ChartPlace::Upper : ChartPlace::Lower, mouse->globalPosition().toPoint());
        }
        break;
    }
    default: break;
    }
    // The chart gets every event as it would without the menu.
    return false;
}

void ChartContextMenu::Open(ChartPlace place, const QPoint& globalPosition) {
    if (menu_ == nullptr) {
        menu_ = new QMenu(&window_);
        menu_->setObjectName(QStringLiteral("ChartContextMenu"));
    }
    menu_->clear();
    for (const ContextItemLayout& item : kChartContextItems) {
        const WindowCommand command = place == ChartPlace::Upper ? item.Upper : item.Lower;
        QAction* action =
            menu_->addAction(QString::fromUtf8(item.Caption.data(), static_cast<qsizetype>(item.Caption.size())));
        action->setEnabled(enabled_(command));
        connect(action, &QAction::triggered, this, [this, command] { run_(command); });
    }
    menu_->popup(globalPosition);
}

}  // namespace ui
