// The series' side of a press on one of its points.
#include "chart/series/ChartSeries.h"

namespace chart {

bool TChartSeries::DoSeriesClick(TChartSeries& sender, int32_t valueIndex, fw::TMouseButton button,
                                 fw::TShiftState shift, int32_t x, int32_t y) {
    // Without a chart the flag lives here for the length of the call.
    bool ownFlag = false;
    auto set = [&](bool value) {
        if (ParentChart()) ParentChart()->SetClickHandled(value);
        ownFlag = value;
    };
    auto get = [&] { return ParentChart() ? ParentChart()->ClickHandled() : ownFlag; };
    set(false);
    if ((shift & fw::ssDouble) && OnDblClick) {
        set(true);
        OnDblClick(sender, valueIndex, button, shift, x, y);
    } else if (OnClick) {
        set(true);
        OnClick(sender, valueIndex, button, shift, x, y);
    }
    return get();
}

}  // namespace chart
