#pragma once
// The stored layout fitted to the client area. Larger than stored, the two
// charts take the extra width and share the extra height equally, the
// control column stays at the right edge in its stored order, and the
// controls beside the lower chart move down with it. Smaller, the charts
// give up the width and the height, and the gaps between the controls of the
// column close in proportion, the controls keeping their sizes, so that a
// small screen at a large scale shows every control. At the stored size
// every control is where the layout puts it.

#include <span>

#include <QObject>
#include <QRect>
#include <QSize>

#include "ui/MainWindowLayout.h"

class QWidget;

namespace ui {

// The least client area the layout fits: the control column with no gaps
// left, beside charts still large enough to read.
QSize LeastClientSize(std::span<const ControlLayout> rows);

// Where row goes when the client area is `extra` larger (negative: smaller)
// than the stored one; rows are all of the layout's, whose gaps close.
QRect PlacedGeometry(const ControlLayout& row, QSize extra, std::span<const ControlLayout> rows);

class ClientLayout : public QObject {
public:
    // Places the rows' controls (children of clientArea, by name) on every
    // resize of clientArea, whose minimum becomes LeastClientSize.
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
