#include "framework/gui/paint/SystemColors.h"

#include <QCoreApplication>
#include <QGuiApplication>
#include <QPalette>
#include <optional>

namespace fw {

namespace {

std::optional<QPalette::ColorRole> RoleOf(uint32_t index) {
    switch (index) {
    case 0x00: return QPalette::Midlight;    // scroll bar
    case 0x01: return QPalette::Dark;        // desktop background
    case 0x05: return QPalette::Base;        // window interior
    case 0x08: return QPalette::WindowText;  // window text
    case 0x0D: return QPalette::Highlight;
    case 0x0E: return QPalette::HighlightedText;
    case 0x0F: return QPalette::Button;  // button face
    case 0x10: return QPalette::Dark;    // button shadow
    case 0x11: return QPalette::PlaceholderText;
    case 0x12: return QPalette::ButtonText;
    case 0x14: return QPalette::Light;     // button highlight
    case 0x15: return QPalette::Shadow;    // 3D dark shadow
    case 0x16: return QPalette::Midlight;  // 3D light
    case 0x17: return QPalette::ToolTipText;
    case 0x18: return QPalette::ToolTipBase;
    default: return std::nullopt;
    }
}

QPalette CurrentPalette() {
    if (qobject_cast<QGuiApplication*>(QCoreApplication::instance())) return QGuiApplication::palette();
    return QPalette();
}

}  // namespace

TColor ColorToRGB(TColor color) {
    if (!IsSystemColor(color)) return color;
    const auto role = RoleOf(static_cast<uint32_t>(color) & 0xFFu);
    if (!role) return clBlack;
    const QColor c = CurrentPalette().color(QPalette::Active, *role);
    return RGBColor(c.red(), c.green(), c.blue());
}

QColor ToQColor(TColor color) {
    const TColor rgb = ColorToRGB(color);
    return QColor(RedOf(rgb), GreenOf(rgb), BlueOf(rgb));
}

}  // namespace fw
