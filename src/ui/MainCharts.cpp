#include "ui/MainCharts.h"

#include <QPalette>

namespace ui {
namespace {

QWidget* CreateWhiteArea(QWidget& window) {
    auto* area = new QWidget(&window);
    QPalette palette = area->palette();
    palette.setColor(QPalette::Window, Qt::white);
    area->setPalette(palette);
    area->setAutoFillBackground(true);
    return area;
}

}  // namespace

MainCharts::MainCharts(QWidget& window) : chart1_(CreateWhiteArea(window)), chart2_(CreateWhiteArea(window)) {}

}  // namespace ui
