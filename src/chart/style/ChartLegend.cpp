#include "chart/style/ChartLegend.h"

namespace chart {

TChartLegend::TChartLegend(TRepaintRequest repaint) : TChartFontObject(std::move(repaint)) {
    auto changed = [this](fw::TPersistent*) { Repaint(); };
    brush_.OnChange = changed;
    dividingLines_.OnChange = changed;
    frame_.OnChange = changed;
}

void TChartLegend::Assign(const fw::TPersistent& source) {
    TChartFontObject::Assign(source);
    const auto* other = dynamic_cast<const TChartLegend*>(&source);
    if (!other) return;
    SetAlignment(other->alignment_);
    SetBrush(other->brush_);
    SetColor(other->color_);
    SetColorWidth(other->colorWidth_);
    SetDividingLines(other->dividingLines_);
    SetFirstValue(other->firstValue_);
    SetFrame(other->frame_);
    SetHorizMargin(other->horizMargin_);
    SetInverted(other->inverted_);
    SetLegendStyle(other->legendStyle_);
    SetMaxNumRows(other->maxNumRows_);
    SetResizeChart(other->resizeChart_);
    SetShadowColor(other->shadowColor_);
    SetShadowSize(other->shadowSize_);
    SetTextStyle(other->textStyle_);
    SetTopPos(other->topPos_);
    SetVertMargin(other->vertMargin_);
    SetVisible(other->visible_);
}

int32_t TChartLegend::Clicked(int32_t x, int32_t y) const {
    for (std::size_t i = 0; i < itemBoxes_.size(); ++i) {
        if (itemBoxes_[i].Contains({x, y})) return static_cast<int32_t>(i);
    }
    return -1;
}

}  // namespace chart
