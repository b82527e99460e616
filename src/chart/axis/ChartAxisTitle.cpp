#include "chart/axis/ChartAxisTitle.h"

#include "chart/base/AxisException.h"
#include "chart/axis/ChartAxis.h"
#include "chart/base/ChartTextLines.h"

namespace chart {

TChartAxisTitle::TChartAxisTitle(TCustomChartAxis& axis)
    : TChartFontObject([&axis] { axis.ParentChart().Invalidate(); }), axis_(&axis), angle_(axis.DefaultTitleAngle()) {}

void TChartAxisTitle::Assign(const fw::TPersistent& source) {
    if (const auto* other = dynamic_cast<const TChartAxisTitle*>(&source)) {
        angle_ = other->angle_;
        caption_ = other->caption_;
    }
    TChartFontObject::Assign(source);
}

void TChartAxisTitle::SetAngle(int32_t value) {
    if (value == angle_) return;
    ChartCheckAngle(value, MsgAxisTitleName);
    angle_ = value;
    Repaint();
}

bool TChartAxisTitle::IsAngleStored() const { return angle_ != axis_->DefaultTitleAngle(); }

}  // namespace chart
