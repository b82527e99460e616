#include "chart/style/ChartTitle.h"

#include <utility>

namespace chart {

TChartTitle::TChartTitle(TRepaintRequest repaint) : TChartFontObject(std::move(repaint)) {
    // The blue of a fresh title is where it starts, not a change to report.
    auto listener = std::exchange(Font().OnChange, nullptr);
    Font().SetColor(fw::clBlue);
    Font().OnChange = std::move(listener);
    auto changed = [this](fw::TPersistent*) { Repaint(); };
    brush_.OnChange = changed;
    frame_.OnChange = changed;
}

void TChartTitle::Assign(const fw::TPersistent& source) {
    TChartFontObject::Assign(source);
    const auto* other = dynamic_cast<const TChartTitle*>(&source);
    if (!other) return;
    SetAdjustFrame(other->adjustFrame_);
    SetAlignment(other->alignment_);
    SetBrush(other->brush_);
    SetColor(other->color_);
    SetFrame(other->frame_);
    SetText(other->text_);
    SetVisible(other->visible_);
}

bool TChartTitle::IsFontStored() const {
    const fw::TFont& font = Font();
    if (font.Name() != GetDefaultFontName()) return true;
    return !(font.Size() == GetDefaultFontSize() && font.Color() == baseFontColor_ && font.Style() == baseFontStyle_);
}

bool TChartTitle::Clicked(int32_t x, int32_t y) const { return visible_ && titleBox_.Contains({x, y}); }

}  // namespace chart
