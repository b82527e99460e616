#include "chart/style/ChartFontObject.h"

#include "chart/style/ChartFonts.h"

namespace chart {

TChartFontObject::TChartFontObject(std::function<void()> repaint)
    : repaint_(std::move(repaint)), font_(CreateDefaultFont([this](fw::TPersistent*) { Repaint(); })) {}

TChartFontObject::~TChartFontObject() = default;

void TChartFontObject::Assign(const fw::TPersistent& source) {
    if (const auto* other = dynamic_cast<const TChartFontObject*>(&source)) {
        font_->Assign(other->Font());
        return;
    }
    fw::TPersistent::Assign(source);
}

bool TChartFontObject::IsFontStored() const { return !IsDefaultFont(*font_); }

void TChartFontObject::Repaint() const {
    if (repaint_) repaint_();
}

}  // namespace chart
