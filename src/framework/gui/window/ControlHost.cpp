#include "framework/gui/window/ControlHost.h"

#include <QHelpEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QToolTip>
#include <QWheelEvent>
#include <optional>

namespace fw {
namespace {

std::optional<TMouseButton> ButtonOf(Qt::MouseButton button) {
    switch (button) {
    case Qt::LeftButton: return mbLeft;
    case Qt::RightButton: return mbRight;
    case Qt::MiddleButton: return mbMiddle;
    default: return std::nullopt;
    }
}

TShiftState KeysOf(Qt::KeyboardModifiers keys) {
    TShiftState shift = 0;
    if (keys & Qt::ShiftModifier) shift |= ssShift;
    if (keys & Qt::AltModifier) shift |= ssAlt;
    if (keys & Qt::ControlModifier) shift |= ssCtrl;
    return shift;
}

TShiftState ButtonsOf(Qt::MouseButtons buttons) {
    TShiftState shift = 0;
    if (buttons & Qt::LeftButton) shift |= ssLeft;
    if (buttons & Qt::RightButton) shift |= ssRight;
    if (buttons & Qt::MiddleButton) shift |= ssMiddle;
    return shift;
}

TShiftState ShiftOf(const QMouseEvent& event) {
    TShiftState shift = KeysOf(event.modifiers()) | ButtonsOf(event.buttons());
    if (event.type() == QEvent::MouseButtonDblClick) shift |= ssDouble;
    return shift;
}

std::optional<TKey> KeyOf(int key) {
    switch (key) {
    case Qt::Key_Backspace: return vkBack;
    case Qt::Key_Escape: return vkEscape;
    default: return std::nullopt;
    }
}

// One notch of a common mouse wheel, in the eighths of a degree Qt counts.
constexpr double kWheelNotch = 120.0;

}  // namespace

Qt::CursorShape CursorShapeOf(TCursor cursor) {
    switch (cursor) {
    case crNone: return Qt::BlankCursor;
    case crCross: return Qt::CrossCursor;
    case crIBeam: return Qt::IBeamCursor;
    case crSizeNESW: return Qt::SizeBDiagCursor;
    case crSizeNS: return Qt::SizeVerCursor;
    case crSizeNWSE: return Qt::SizeFDiagCursor;
    case crSizeWE: return Qt::SizeHorCursor;
    case crUpArrow: return Qt::UpArrowCursor;
    case crHourGlass: return Qt::WaitCursor;
    case crDrag: return Qt::DragCopyCursor;
    case crNoDrop: return Qt::ForbiddenCursor;
    case crHSplit: return Qt::SplitHCursor;
    case crVSplit: return Qt::SplitVCursor;
    case crNo: return Qt::ForbiddenCursor;
    case crAppStart: return Qt::BusyCursor;
    case crHelp: return Qt::WhatsThisCursor;
    case crHandPoint: return Qt::PointingHandCursor;
    case crSizeAll: return Qt::SizeAllCursor;
    default: return Qt::ArrowCursor;
    }
}

ControlHost::ControlHost(QWidget* parent, TControlErrorHandler onError)
    : QWidget(parent), onError_(std::move(onError)) {
    // Every paint covers the whole area: no background erase, no flicker.
    setAttribute(Qt::WA_OpaquePaintEvent);
    setMouseTracking(true);
    // A click gives the control the keyboard, for its keys during a drag.
    setFocusPolicy(Qt::ClickFocus);
}

ControlHost::~ControlHost() {
    canvas_.Surface().Unbind();
    if (control_) control_->HostDestroyed();
}

void ControlHost::SetControl(IHostedControl* control) {
    control_ = control;
    InvalidateControl();
}

void ControlHost::InvalidateControl() {
    paintPending_ = true;
    // Requests can come once per added point; the one update already
    // queued serves them all until its paint starts.
    if (updateQueued_) return;
    updateQueued_ = true;
    update();
}

void ControlHost::RepaintControl() {
    paintPending_ = true;
    repaint();
}

TPoint ControlHost::ClientSize() const { return {width(), height()}; }

void ControlHost::SetCursor(TCursor cursor) {
    cursor_ = cursor;
    if (cursor == crDefault) {
        unsetCursor();
    } else {
        setCursor(CursorShapeOf(cursor));
    }
}

void ControlHost::Guard(const std::function<void()>& call) {
    try {
        call();
    } catch (...) {
        // Reported once the event has returned: a modal box opened inside a
        // paint event would run a nested event loop in the middle of painting.
        // Errors raised while one report waits (repeated paints) add no box.
        if (!onError_ || errorPending_) return;
        errorPending_ = true;
        QMetaObject::invokeMethod(
            this,
            [this, error = std::current_exception()] {
                onError_(error);
                errorPending_ = false;
            },
            Qt::QueuedConnection);
    }
}

TCanvas& ControlHost::WindowCanvas() {
    EnsureWindowImage();
    return canvas_;
}

void ControlHost::EnsureWindowImage() {
    if (window_.size() == size()) return;
    // The surface may hold a painter on the old image: let go of it first.
    canvas_.Surface().Unbind();
    window_ = QImage(size(), QImage::Format_RGB32);
    window_.fill(Qt::white);
    canvas_.Surface().BindImage(&window_);
    paintPending_ = true;
}

void ControlHost::paintEvent(QPaintEvent*) {
    updateQueued_ = false;
    EnsureWindowImage();
    if (control_ && paintPending_ && !window_.isNull()) {
        paintPending_ = false;
        Guard([this] { control_->HostPaint(); });
    }
    // The surface may hold a painter of its own on the image.
    canvas_.Surface().Flush();
    QPainter painter(this);
    painter.drawImage(0, 0, window_);
}

void ControlHost::resizeEvent(QResizeEvent*) {
    EnsureWindowImage();
    if (control_) Guard([this] { control_->HostResized(); });
}

void ControlHost::mousePressEvent(QMouseEvent* event) {
    const auto button = ButtonOf(event->button());
    if (!control_ || !button) return;
    const QPoint p = event->position().toPoint();
    Guard([&] { control_->HostMouseDown(*button, ShiftOf(*event), p.x(), p.y()); });
}

void ControlHost::mouseMoveEvent(QMouseEvent* event) {
    if (!control_) return;
    const QPoint p = event->position().toPoint();
    Guard([&] { control_->HostMouseMove(ShiftOf(*event), p.x(), p.y()); });
}

void ControlHost::mouseReleaseEvent(QMouseEvent* event) {
    const auto button = ButtonOf(event->button());
    if (!control_ || !button) return;
    const QPoint p = event->position().toPoint();
    Guard([&] { control_->HostMouseUp(*button, ShiftOf(*event), p.x(), p.y()); });
}

void ControlHost::leaveEvent(QEvent*) {
    if (control_) Guard([this] { control_->HostMouseLeave(); });
}

void ControlHost::wheelEvent(QWheelEvent* event) {
    if (!control_) return;
    const QPoint angle = event->angleDelta();
    // Some systems turn a wheel with Shift held into a sideways one.
    const int delta = angle.y() != 0 ? angle.y() : angle.x();
    const QPoint p = event->position().toPoint();
    const TShiftState shift = KeysOf(event->modifiers()) | ButtonsOf(event->buttons());
    Guard([&] { control_->HostMouseWheel(shift, p.x(), p.y(), delta / kWheelNotch); });
}

void ControlHost::keyPressEvent(QKeyEvent* event) {
    const auto key = KeyOf(event->key());
    bool used = false;
    if (control_ && key) Guard([&] { used = control_->HostKeyDown(*key, KeysOf(event->modifiers())); });
    if (!used) QWidget::keyPressEvent(event);
}

bool ControlHost::event(QEvent* event) {
    if (event->type() != QEvent::ToolTip) return QWidget::event(event);
    const auto* help = static_cast<QHelpEvent*>(event);
    std::string text;
    if (control_) Guard([&] { text = control_->HostToolTip(help->pos().x(), help->pos().y()); });
    if (text.empty()) {
        QToolTip::hideText();
        event->ignore();
    } else {
        // Gone as soon as the mouse moves on; the next rest asks again.
        QToolTip::showText(help->globalPos(), QString::fromStdString(text), this, QRect(help->pos(), QSize(1, 1)));
    }
    return true;
}

}  // namespace fw
