#include "chart/series/SeriesMarks.h"

#include "chart/series/ChartSeries.h"
#include "framework/core/Exceptions.h"

namespace chart {

const TSeriesMarkPosition* TSeriesMarksPositions::Position(int32_t i) const {
    if (i < 0 || i >= Count() || !slots_[static_cast<std::size_t>(i)]) return nullptr;
    return &*slots_[static_cast<std::size_t>(i)];
}

void TSeriesMarksPositions::SetPosition(int32_t i, const TSeriesMarkPosition& position) {
    if (i < 0) throw fw::ListIndexError(i);
    if (i >= Count()) slots_.resize(static_cast<std::size_t>(i) + 1);
    slots_[static_cast<std::size_t>(i)] = position;
}

void TSeriesMarksPositions::Delete(int32_t i) {
    if (i >= 0 && i < Count()) slots_.erase(slots_.begin() + i);
}

void TSeriesMarksPositions::Clear() { std::vector<std::optional<TSeriesMarkPosition>>().swap(slots_); }

TSeriesMarks::TSeriesMarks(TChartSeries& series)
    : series_(series),
      arrow_(std::make_unique<TChartArrowPen>([this](fw::TPersistent*) { Changed(); })),
      frame_(std::make_unique<TChartPen>([this](fw::TPersistent*) { Changed(); })),
      font_(CreateDefaultFont([this](fw::TPersistent*) { Changed(); })) {}

void TSeriesMarks::Changed() { series_.Repaint(); }

void TSeriesMarks::Assign(const fw::TPersistent& source) {
    const auto* marks = dynamic_cast<const TSeriesMarks*>(&source);
    if (!marks) {
        fw::TPersistent::Assign(source);
        return;
    }
    SetVisible(marks->visible_);
    SetArrowLength(marks->arrowLength_);
    SetStyle(marks->style_);
    SetBackColor(marks->backColor_);
    SetClip(marks->clip_);
    arrow_->Assign(*marks->arrow_);
    frame_->Assign(*marks->frame_);
    font_->Assign(*marks->font_);
}

}  // namespace chart
