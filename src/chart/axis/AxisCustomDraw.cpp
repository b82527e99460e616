// Drawing an axis at places the caller chooses, and hit-testing the band of
// its line and ticks.

#include <algorithm>

#include "chart/axis/ChartAxis.h"

namespace chart {

namespace {

// Sets a pen's visibility for the length of a drawing without telling the
// chart (and puts it back however the drawing ends).
class PenVisibilityOverride {
public:
    PenVisibilityOverride(TChartPen& pen, bool visible) : pen_(pen), saved_(pen.Visible()) { Set(visible); }
    ~PenVisibilityOverride() { Set(saved_); }
    PenVisibilityOverride(const PenVisibilityOverride&) = delete;
    PenVisibilityOverride& operator=(const PenVisibilityOverride&) = delete;

private:
    void Set(bool visible) {
        fw::TNotifyEvent listener = std::move(pen_.OnChange);
        pen_.OnChange = nullptr;
        pen_.SetVisible(visible);
        pen_.OnChange = std::move(listener);
    }

    TChartPen& pen_;
    bool saved_;
};

// The range settings a custom drawing replaces, and the shown range derived
// from them, restored when it ends.
class TAxisRangeOverride {
public:
    TAxisRangeOverride(TAxisRangeSettings& range, TAxisValueRange& shown, TAxisLogRange& log)
        : range_(range), shown_(shown), log_(log), savedRange_(range), savedShown_(shown), savedLog_(log) {}
    ~TAxisRangeOverride() {
        range_ = savedRange_;
        shown_ = savedShown_;
        log_ = savedLog_;
    }
    TAxisRangeOverride(const TAxisRangeOverride&) = delete;
    TAxisRangeOverride& operator=(const TAxisRangeOverride&) = delete;

private:
    TAxisRangeSettings& range_;
    TAxisValueRange& shown_;
    TAxisLogRange& log_;
    const TAxisRangeSettings savedRange_;
    const TAxisValueRange savedShown_;
    const TAxisLogRange savedLog_;
};

}  // namespace

void TCustomChartAxis::CustomDrawStartEnd(int32_t posLabels, int32_t posTitle, int32_t posAxis, bool gridVisible,
                                          int32_t startPos, int32_t endPos) {
    labelsPos_ = posLabels;
    titlePos_ = posTitle;
    linePos_ = posAxis;
    SetPixelSpan(startPos, endPos);
    const PenVisibilityOverride grid(*gridPen_, gridVisible);
    Draw(false);
}

void TCustomChartAxis::CustomDraw(int32_t posLabels, int32_t posTitle, int32_t posAxis, bool gridVisible) {
    InternalCalcPositions();
    CustomDrawStartEnd(posLabels, posTitle, posAxis, gridVisible, span_.Start, span_.End);
}

void TCustomChartAxis::CustomDrawMinMaxStartEnd(int32_t posLabels, int32_t posTitle, int32_t posAxis, bool gridVisible,
                                                double aMinimum, double aMaximum, double aIncrement, int32_t startPos,
                                                int32_t endPos) {
    const TAxisRangeOverride keep(range_, shown_, log_);
    range_ = {aMinimum, aMaximum, aIncrement, false, false, false};
    SetShownRange(aMinimum, aMaximum);
    CustomDrawStartEnd(posLabels, posTitle, posAxis, gridVisible, startPos, endPos);
}

void TCustomChartAxis::CustomDrawMinMax(int32_t posLabels, int32_t posTitle, int32_t posAxis, bool gridVisible,
                                        double aMinimum, double aMaximum, double aIncrement) {
    InternalCalcPositions();
    CustomDrawMinMaxStartEnd(posLabels, posTitle, posAxis, gridVisible, aMinimum, aMaximum, aIncrement, span_.Start,
                             span_.End);
}

bool TCustomChartAxis::Clicked(int32_t x, int32_t y) const {
    if (!parent_->IsAxisVisible(*this)) return false;
    const int32_t lo = std::min(span_.Start, span_.End);
    const int32_t hi = std::max(span_.Start, span_.End);
    int32_t from = 0;
    int32_t to = 0;
    if (labelsPos_ < linePos_) {
        from = labelsPos_;
        to = linePos_ + ChartAxisClickGap;
    } else {
        from = linePos_ - ChartAxisClickGap;
        to = labelsPos_;
    }
    const fw::TRect band = horizontal_ ? fw::Rect(lo, from, hi, to) : fw::Rect(from, lo, to, hi);
    return band.Contains({x, y});
}

}  // namespace chart
