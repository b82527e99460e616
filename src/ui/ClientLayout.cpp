#include "ui/ClientLayout.h"

#include <algorithm>

#include <QEvent>
#include <QWidget>

namespace ui {

QRect PlacedGeometry(const ControlLayout& row, QSize extra) {
    const int dx = std::max(extra.width(), 0);
    const int dy = std::max(extra.height(), 0);
    // The upper chart takes the first half of the extra height, the lower
    // chart the rest, and everything at or below the lower chart's top moves
    // down by the upper chart's share.
    const int upperShare = dy / 2;
    const bool lowerHalf = row.Top >= kChart2.Top;
    const int top = row.Top + (lowerHalf ? upperShare : 0);
    if (row.Kind == ControlKind::ChartArea) {
        return {row.Left, top, row.Width + dx, row.Height + (lowerHalf ? dy - upperShare : upperShare)};
    }
    return {row.Left + dx, top, row.Width, row.Height};
}

ClientLayout::ClientLayout(QWidget& clientArea, const WindowLayout& window, std::span<const ControlLayout> rows)
    : QObject(&clientArea), clientArea_(clientArea), stored_(window.ClientWidth, window.ClientHeight), rows_(rows) {
    clientArea_.setMinimumSize(stored_);
    clientArea_.installEventFilter(this);
}

bool ClientLayout::eventFilter(QObject* watched, QEvent* event) {
    if (watched == &clientArea_ && event->type() == QEvent::Resize) Place();
    return QObject::eventFilter(watched, event);
}

void ClientLayout::Place() {
    const QSize extra = clientArea_.size() - stored_;
    for (const ControlLayout& row : rows_) {
        const QString name = QString::fromUtf8(row.Name.data(), static_cast<qsizetype>(row.Name.size()));
        if (auto* control = clientArea_.findChild<QWidget*>(name, Qt::FindDirectChildrenOnly)) {
            control->setGeometry(PlacedGeometry(row, extra));
        }
    }
}

}  // namespace ui
