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

// The range settings a custom drawing replaces, restored when it ends.
class TAxisRangeOverride {
public:
    TAxisRangeOverride(double& minimum, double& maximum, double& increment, bool& automatic,
                       bool& automaticMinimum, bool& automaticMaximum, TAxisValueRange& shown, TAxisLogRange& log)
        : minimum_(minimum), maximum_(maximum), increment_(increment), automatic_(automatic),
          automaticMinimum_(automaticMinimum), automaticMaximum_(automaticMaximum), shown_(shown), log_(log),
          saved_{minimum, maximum, increment, automatic, automaticMinimum, automaticMaximum, shown, log} {}
    ~TAxisRangeOverride() {
        minimum_ = saved_.minimum;
        maximum_ = saved_.maximum;
        increment_ = saved_.increment;
        automatic_ = saved_.automatic;
        automaticMinimum_ = saved_.automaticMinimum;
        automaticMaximum_ = saved_.automaticMaximum;
        shown_ = saved_.shown;
        log_ = saved_.log;
    }
    TAxisRangeOverride(const TAxisRangeOverride&) = delete;
    TAxisRangeOverride& operator=(const TAxisRangeOverride&) = delete;

private:
    double& minimum_;
    double& maximum_;
    double& increment_;
    bool& automatic_;
    bool& automaticMinimum_;
    bool& automaticMaximum_;
    TAxisValueRange& shown_;
    TAxisLogRange& log_;
    struct {
        double minimum, maximum, increment;
        bool automatic, automaticMinimum, automaticMaximum;
        TAxisValueRange shown;
        TAxisLogRange log;
    } saved_;
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

void TCustomChartAxis::CustomDrawMinMaxStartEnd(int32_t posLabels, int32_t posTitle, int32_t posAxis,
                                                bool gridVisible, double aMinimum, double aMaximum,
                                                double aIncrement, int32_t startPos, int32_t endPos) {
    const TAxisRangeOverride keep(minimum_, maximum_, increment_, automatic_, automaticMinimum_, automaticMaximum_,
                                  shown_, log_);
    automatic_ = automaticMinimum_ = automaticMaximum_ = false;
    minimum_ = aMinimum;
    maximum_ = aMaximum;
    increment_ = aIncrement;
    SetShownRange(aMinimum, aMaximum);
    CustomDrawStartEnd(posLabels, posTitle, posAxis, gridVisible, startPos, endPos);
}

void TCustomChartAxis::CustomDrawMinMax(int32_t posLabels, int32_t posTitle, int32_t posAxis, bool gridVisible,
                                        double aMinimum, double aMaximum, double aIncrement) {
    InternalCalcPositions();
    CustomDrawMinMaxStartEnd(posLabels, posTitle, posAxis, gridVisible, aMinimum, aMaximum, aIncrement,
                             span_.Start, span_.End);
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
