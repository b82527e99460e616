#pragma once
// Turns the stored layout into widgets on a window.

#include <functional>
#include <span>
#include <stdexcept>
#include <string>
#include <string_view>

#include <QFont>
#include <QWidget>

#include "ui/MainWindowLayout.h"

namespace ui {

// A layout's or a menu table's UTF-8 text.
inline QString ToQString(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

// The font a layout names, or its nearest installed neighbour in width, at the
// layout's pixel height with a sans-serif style hint.
QFont FontFromLayout(const FontLayout& layout);

// Sets caption, position and font of the window and the stored size of its
// client area, creates the controls of rows as children of the client area in
// row order (a chart area is taken from chartArea(name) instead of being
// created), places them and sets the tab order.
void BuildForm(QWidget& window, QWidget& clientArea, const WindowLayout& windowLayout,
               std::span<const ControlLayout> rows, const std::function<QWidget&(std::string_view name)>& chartArea);
// Creates the controls of rows in the client area, places them and sets
// their tab order, as BuildForm does.
void AddControls(QWidget& clientArea, std::span<const ControlLayout> rows,
                 const std::function<QWidget&(std::string_view name)>& chartArea = {});

// The client area's control of the given layout name and type; the layout and
// the code naming its controls must agree, so a miss is a programming error.
template <typename T>
T& ControlNamed(QWidget& window, std::string_view name) {
    const QString objectName = QString::fromUtf8(name.data(), static_cast<qsizetype>(name.size()));
    T* control = window.findChild<T*>(objectName, Qt::FindDirectChildrenOnly);
    if (control == nullptr) {
        throw std::logic_error("the window layout has no control " + std::string(name) + " of that kind");
    }
    return *control;
}

}  // namespace ui
