#pragma once
// The widget a hosted control lives in on screen. It keeps the window's
// picture in an image (drawn through the window canvas), hands paints, size changes and
// mouse, wheel and key events to the control, and shows the image and the
// control's tooltips. The control paints only
// when it asked for a repaint or the size changed; a mere exposure of the
// widget shows the image again without bothering the control.

#include <QImage>
#include <QWidget>
#include <exception>
#include <functional>

#include "framework/gui/paint/Canvas.h"
#include "framework/gui/window/HostedControl.h"

namespace fw {

// Receives what a control threw inside an event; nothing may reach Qt.
using TControlErrorHandler = std::function<void(const std::exception_ptr&)>;

class ControlHost : public QWidget, public IControlHost {
public:
    ControlHost(QWidget* parent, TControlErrorHandler onError);
    // Tells the attached control, if any, that its window is gone.
    ~ControlHost() override;
    ControlHost(const ControlHost&) = delete;
    ControlHost& operator=(const ControlHost&) = delete;

    void SetControl(IHostedControl* control) override;
    IHostedControl* Control() const { return control_; }

    void InvalidateControl() override;
    void RepaintControl() override;
    TPoint ClientSize() const override;
    TCanvas& WindowCanvas() override;
    void UpdateWindow() override { update(); }
    TCursor Cursor() const override { return cursor_; }
    void SetCursor(TCursor cursor) override;

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void leaveEvent(QEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    // Shows the control's tooltip text when the mouse rests.
    bool event(QEvent* event) override;

private:
    void Guard(const std::function<void()>& call);
    // The window image follows the widget's size; a new one needs a paint.
    void EnsureWindowImage();

    TControlErrorHandler onError_;
    IHostedControl* control_ = nullptr;
    QImage window_;
    TCanvas canvas_;
    bool paintPending_ = true;
    bool updateQueued_ = false;  // update() was called and its paint has not started
    bool errorPending_ = false;  // an error report is queued, not yet shown
    TCursor cursor_ = crDefault;
};

// The Qt cursor shape of a cursor id (the arrow for ids without a shape).
Qt::CursorShape CursorShapeOf(TCursor cursor);

}  // namespace fw
