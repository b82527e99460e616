#include "framework/gui/paint/Screen.h"

#include <QGuiApplication>
#include <QScreen>
#include <cmath>

namespace fw {

int ScreenPixelsPerInch() {
    if (!qobject_cast<QGuiApplication*>(QCoreApplication::instance())) return 96;
    const QScreen* screen = QGuiApplication::primaryScreen();
    if (!screen) return 96;
    const int dpi = static_cast<int>(std::lround(screen->logicalDotsPerInchY()));
    return dpi > 0 ? dpi : 96;
}

int ScreenColorDepth() {
    if (!qobject_cast<QGuiApplication*>(QCoreApplication::instance())) return 32;
    const QScreen* screen = QGuiApplication::primaryScreen();
    return screen ? screen->depth() : 32;
}

}  // namespace fw
