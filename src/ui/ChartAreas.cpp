#include "ui/ChartAreas.h"

#include "framework/gui/window/EventDispatch.h"

namespace ui {
namespace {

// What a chart throws while painting or handling the mouse goes to the error
// box, as any event handler's error does.
fw::TControlErrorHandler ErrorBox(fw::DialogService& dialogs) {
    return [&dialogs](const std::exception_ptr& error) { fw::ShowError(dialogs, error); };
}

}  // namespace

ChartAreas::ChartAreas(app::ProgramCharts& charts, QWidget& window, fw::DialogService& dialogs)
    : host1_(new fw::ControlHost(&window, ErrorBox(dialogs))), host2_(new fw::ControlHost(&window, ErrorBox(dialogs))) {
    charts.Chart1().SetHost(host1_);
    charts.Chart2().SetHost(host2_);
}

}  // namespace ui
