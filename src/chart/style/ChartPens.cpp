#include "chart/style/ChartPens.h"

namespace chart {

TChartPen::TChartPen(fw::TNotifyEvent onChange, const TChartPenDefaults& defaults)
    : defaults_(defaults), visible_(defaults.Visible) {
    SetColor(defaults.Color);
    SetWidth(defaults.Width);
    SetStyle(defaults.Style);
    OnChange = std::move(onChange);
}

void TChartPen::Assign(const fw::TPersistent& source) {
    if (const auto* pen = dynamic_cast<const TChartPen*>(&source)) {
        SetVisible(pen->visible_);
        SetSmallDots(pen->smallDots_);
    }
    fw::TPen::Assign(source);
}

TChartBrush::TChartBrush(fw::TNotifyEvent onChange) {
    SetColor(fw::clChartDefault);
    OnChange = std::move(onChange);
}

}  // namespace chart
