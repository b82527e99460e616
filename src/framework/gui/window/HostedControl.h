#pragma once
// The seam between a control drawn by plain C++ code (a chart) and the window
// it lives in. The control sees its window only as an IControlHost; the
// window tells the control about paints, size changes and the mouse through
// IHostedControl. A widget adapter (ControlHost) plays the window on screen;
// tests play it with an off-screen image, so no control code needs widgets.

#include <cstdint>
#include <string>

#include "framework/core/Geometry.h"

namespace fw {

class TCanvas;

enum TMouseButton : uint8_t { mbLeft, mbRight, mbMiddle };

// Keys and buttons held during a mouse event (a bit set).
enum TShiftStateItem : uint8_t {
    ssShift = 1,
    ssAlt = 2,
    ssCtrl = 4,
    ssLeft = 8,
    ssRight = 16,
    ssMiddle = 32,
    ssDouble = 64,
};
using TShiftState = uint8_t;

// Cursor ids: 0 is the window's default cursor, the negative ids name the
// standard shapes.
using TCursor = int16_t;
inline constexpr TCursor crDefault = 0;
inline constexpr TCursor crNone = -1;
inline constexpr TCursor crArrow = -2;
inline constexpr TCursor crCross = -3;
inline constexpr TCursor crIBeam = -4;
inline constexpr TCursor crSizeNESW = -6;
inline constexpr TCursor crSizeNS = -7;
inline constexpr TCursor crSizeNWSE = -8;
inline constexpr TCursor crSizeWE = -9;
inline constexpr TCursor crUpArrow = -10;
inline constexpr TCursor crHourGlass = -11;
inline constexpr TCursor crDrag = -12;
inline constexpr TCursor crNoDrop = -13;
inline constexpr TCursor crHSplit = -14;
inline constexpr TCursor crVSplit = -15;
inline constexpr TCursor crNo = -18;
inline constexpr TCursor crAppStart = -19;
inline constexpr TCursor crHelp = -20;
inline constexpr TCursor crHandPoint = -21;
inline constexpr TCursor crSizeAll = -22;

// Key ids of the keys a control reacts to.
using TKey = uint16_t;
inline constexpr TKey vkBack = 0x08;
inline constexpr TKey vkEscape = 0x1B;

class IHostedControl;

// What a control may ask of the window it lives in.
class IControlHost {
public:
    // The control that paints here (none with nullptr); the next paint is its.
    virtual void SetControl(IHostedControl* control) = 0;
    // A repaint later; any number of requests before it cost one paint.
    virtual void InvalidateControl() = 0;
    // A repaint now, before this call returns.
    virtual void RepaintControl() = 0;
    // The size of the window's client area in pixels.
    virtual TPoint ClientSize() const = 0;
    // The window's own canvas. What is drawn on it stays between paints (it
    // is what the user sees), so a control may also draw on it outside a
    // paint, for instance to show a drag outline at once.
    virtual TCanvas& WindowCanvas() = 0;
    // Shows what was drawn on the window canvas outside a paint.
    virtual void UpdateWindow() = 0;
    virtual TCursor Cursor() const = 0;
    virtual void SetCursor(TCursor cursor) = 0;

protected:
    ~IControlHost() = default;
};

// What the window tells the control it hosts.
class IHostedControl {
public:
    // Paint the whole client area on the host's WindowCanvas.
    virtual void HostPaint() = 0;
    // The client area changed size.
    virtual void HostResized() = 0;
    virtual void HostMouseDown(TMouseButton button, TShiftState shift, int32_t x, int32_t y) = 0;
    virtual void HostMouseMove(TShiftState shift, int32_t x, int32_t y) = 0;
    virtual void HostMouseUp(TMouseButton button, TShiftState shift, int32_t x, int32_t y) = 0;
    // The mouse left the client area.
    virtual void HostMouseLeave() = 0;
    // The mouse wheel turned at (x, y) by notches (positive: away from the user).
    virtual void HostMouseWheel(TShiftState /*shift*/, int32_t /*x*/, int32_t /*y*/, double /*notches*/) {}
    // A key pressed while the control has the focus; false leaves the key to
    // the window around it.
    virtual bool HostKeyDown(TKey /*key*/, TShiftState /*shift*/) { return false; }
    // The tooltip text while the mouse rests at (x, y); empty shows none.
    virtual std::string HostToolTip(int32_t /*x*/, int32_t /*y*/) { return {}; }
    // The window is being destroyed: the control must forget it.
    virtual void HostDestroyed() = 0;

protected:
    ~IHostedControl() = default;
};

}  // namespace fw
