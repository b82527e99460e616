#pragma once
// The stored layout stretched over a larger client area: the two charts take
// the extra width and share the extra height equally, the control column
// stays at the right edge in its stored order, and the controls beside the
// lower chart move down with it. At the stored size every control is where
// the layout puts it.

#include <span>

#include <QObject>
#include <QRect>
#include <QSize>

#include "ui/MainWindowLayout.h"

class QWidget;

namespace ui {

// Where row goes when the client area is `extra` larger than the stored one.
QRect PlacedGeometry(const ControlLayout& row, QSize extra);

class ClientLayout : public QObject {
public:
    // Places the rows' controls (children of clientArea, by name) on every
    // resize of clientArea, whose minimum becomes the stored size.
    ClientLayout(QWidget& clientArea, const WindowLayout& window, std::span<const ControlLayout> rows);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void Place();

    QWidget& clientArea_;
    QSize stored_;
    std::span<const ControlLayout> rows_;
};

}  // namespace ui
