#include "chart/style/ChartWall.h"

namespace chart {

TChartWall::TChartWall(TRepaintRequest repaint) : repaint_(std::move(repaint)) {
    auto changed = [this](fw::TPersistent*) {
        if (repaint_) repaint_();
    };
    brush_.OnChange = changed;
    pen_.OnChange = changed;
}

void TChartWall::Assign(const fw::TPersistent& source) {
    const auto* other = dynamic_cast<const TChartWall*>(&source);
    if (!other) {
        fw::TPersistent::Assign(source);
        return;
    }
    SetBrush(other->brush_);
    SetPen(other->pen_);
    SetColor(other->color_);
    SetDark3D(other->dark3D_);
    SetSize(other->size_);
}

}  // namespace chart
