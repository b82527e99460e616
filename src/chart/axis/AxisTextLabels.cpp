// The labels that are texts of the series' points (their labels or mark
// texts) or of the series themselves, rather than values.

#include <algorithm>
#include <cmath>
#include <utility>
#include <vector>

#include "chart/axis/AxisTextLabels.h"
#include "chart/scale/AxisLabelValues.h"
#include "chart/canvas/ChartCanvas3D.h"
#include "chart/series/ChartSeries.h"
#include "chart/series/ChartSeriesList.h"
#include "framework/core/Rounding.h"

namespace chart {

namespace {

// Labels closer than their size (plus the separation) to the one drawn
// before are skipped.
class OverlapRule {
public:
    explicit OverlapRule(int32_t separation) : separation_(separation) {}

    bool Admit(int32_t pos, int32_t size) {
        if (separation_ != 0 && oldPos_ != -1) {
            size = (size + static_cast<int32_t>(fw::Trunc(size * 0.02L * separation_))) / 2;
            const bool clear = (pos >= oldPos_ && pos - size >= oldPos_ + oldSize_) ||
                               (pos < oldPos_ && pos + size <= oldPos_ - oldSize_);
            if (!clear) return false;
            oldPos_ = pos;
            oldSize_ = size;
            return true;
        }
        oldPos_ = pos;
        oldSize_ = size / 2;
        return true;
    }

private:
    int32_t separation_;
    int32_t oldPos_ = -1;
    int32_t oldSize_ = 0;
};

}  // namespace

void ForEachPointTextLabel(TCustomChartAxis& axis, TAxisLabelStyle style, const TAxisLabelVisit& visit) {
    IAxisParent& chart = axis.ParentChart();
    std::vector<TChartSeries*> taken;
    int32_t first = 0;
    int32_t last = -1;
    for (TChartSeries* s : chart.SeriesList()) {
        if (!s->Active() || !s->AssociatedToAxis(axis) || !s->HasLabels()) continue;
        s->CalcFirstLastVisibleIndex();
        first = taken.empty() ? s->FirstVisibleIndex() : std::min(first, s->FirstVisibleIndex());
        last = taken.empty() ? s->LastVisibleIndex() : std::max(last, s->LastVisibleIndex());
        taken.push_back(s);
    }
    const int32_t angle = axis.LabelsAngle();
    const bool alongAxis = axis.IsHorizontal() ? !(angle == 90 || angle == 270) : (angle == 90 || angle == 270);
    OverlapRule overlap(axis.LabelsSeparation());
    for (int32_t index = std::max(first, 0); index <= last; ++index) {
        const auto covering =
            std::find_if(taken.begin(), taken.end(), [&](TChartSeries* s) { return index < s->Count(); });
        if (covering == taken.end()) continue;
        TChartSeries& s = **covering;
        std::string text = style == talMark ? s.GetMarkText(index) : s.GetXLabel(index);
        if (chart.OnGetAxisLabel) chart.OnGetAxisLabel(axis, &s, index, text);
        const double value = axis.IsHorizontal() ? s.XValue(index) : s.YValue(index);
        if (value < axis.ShownMinimum() || value > axis.ShownMaximum()) continue;
        visit(value, [&](int32_t pos) -> std::optional<std::string> {
            int32_t lines = 0;
            const int32_t width = chart.MultiLineTextWidth(text, lines);
            const int32_t size = alongAxis ? width : chart.Canvas().FontHeight() * lines;
            if (!overlap.Admit(pos, size)) return std::nullopt;
            return std::move(text);
        });
    }
}

void ForEachDepthTextLabel(TCustomChartAxis& axis, const TAxisLabelVisit& visit) {
    IAxisParent& chart = axis.ParentChart();
    std::vector<TChartSeries*> active;
    for (TChartSeries* s : chart.SeriesList()) {
        if (s->Active()) active.push_back(s);
    }
    if (active.empty()) return;
    // A range with too many slots is not labelled, as with value labels.
    const double range = axis.ShownMaximum() - axis.ShownMinimum();
    if (!std::isfinite(range) || range >= kMaxValueLabels) return;
    const auto low = fw::Trunc(axis.ShownMinimum());
    const auto high = fw::Trunc(axis.ShownMaximum());
    for (int64_t a = low; a <= high; ++a) {
        visit(axis.ShownMaximum() - static_cast<double>(a) - 0.5, [&](int32_t) -> std::optional<std::string> {
            std::string text;
            if (a >= 0 && a < static_cast<int64_t>(active.size())) {
                const TChartSeries& s = *active[static_cast<std::size_t>(a)];
                text = s.Title().empty() ? s.Name() : s.Title();
            }
            if (chart.OnGetAxisLabel) chart.OnGetAxisLabel(axis, nullptr, static_cast<int32_t>(a), text);
            return text;
        });
    }
}

}  // namespace chart
