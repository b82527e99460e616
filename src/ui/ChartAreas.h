#pragma once
// The window's two chart areas: widgets that host the program's charts. All
// that is chart-specific stays with the charts; this only puts them on the
// window and sends their errors to the error box.

#include <QWidget>

#include "app/ProgramCharts.h"
#include "framework/gui/window/ControlHost.h"
#include "framework/gui/window/DialogService.h"

namespace ui {

class ChartAreas {
public:
    // Hosts both charts in widgets that are children of window. A chart's
    // errors are shown through dialogs.
    ChartAreas(app::ProgramCharts& charts, QWidget& window, fw::DialogService& dialogs);
    ChartAreas(const ChartAreas&) = delete;
    ChartAreas& operator=(const ChartAreas&) = delete;

    QWidget& Chart1() const { return *host1_; }
    QWidget& Chart2() const { return *host2_; }

private:
    fw::ControlHost* host1_;  // owned by the window, as its children
    fw::ControlHost* host2_;
};

}  // namespace ui
