#pragma once
// The drawing of one axis in one paint: the state the steps share (where
// ticks start, the previous label's pixel) and the steps themselves. Used by
// the axis' Draw only.

#include <cstdint>
#include <string>

#include "chart/axis/AxisTextLabels.h"
#include "chart/axis/ChartAxis.h"

namespace chart {

class TChartCanvas3D;

struct TAxisDrawing {
    TAxisDrawing(TCustomChartAxis& axis, int32_t axisPos);

    void Title();
    // The value label loops.
    void ValueLabels(double increment, TDateTimeStep step);
    void CustomLabels(double increment, TDateTimeStep step);
    void LogLabels();

    // Selects the labels font and the brush behind label text.
    void PrepareLabelText();
    // Ticks and grid of the label at value, then its text when the axis
    // shows labels and text gives one; ticks on labels only wait for it.
    void Label(double value, const TAxisLabelText& text);
    void ValueLabel(double value);
    void LabelText(int32_t pos, const std::string& text);
    void TicksAndGrid(int32_t pos);
    void Tick(int32_t pos, int32_t offset, int32_t length);
    void GridLine(int32_t pos);
    int32_t PosOf(double value) const;

    TCustomChartAxis& axis;
    IAxisParent& chart;
    TChartCanvas3D& canvas;
    // Wall thickness beside the axis (0 in 2D): ticks start beyond it.
    int32_t axisPos;
    // Pixel of the label drawn before, -1 before the first.
    int32_t lastTickPos = -1;
};

}  // namespace chart
