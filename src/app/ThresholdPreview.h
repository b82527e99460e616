#pragma once
// The preview of a threshold on the upper chart: the signal the session's
// decomposition would give back were the viewed item thresholded at T,
// plotted over the signal while the buffer stays as it is. The window shows
// it while a threshold line is dragged; the benchmark measures it the same way.

#include <memory>

#include "analysis/session/AnalysisSession.h"
#include "analysis/session/ThresholdPreviewer.h"
#include "app/ProgramCharts.h"

namespace app {

class ThresholdPreview {
public:
    explicit ThresholdPreview(ProgramCharts& charts) : charts_(charts) {}

    // Shows the preview for t; requires a decomposition and a viewed item.
    // Between two calls the buffer keeps its values: whatever changes them
    // calls Hide first (the steps of one drag build on each other).
    void Show(const analysis::AnalysisSession& session, double t);
    // Takes it off the chart and lets its samples go.
    void Hide();

private:
    ProgramCharts& charts_;
    // The preview's samples, written anew for each T once the series has let
    // them go; kept from one T to the next, so a drag allocates once.
    std::shared_ptr<double[]> samples_;
    int32_t count_ = 0;
    analysis::ThresholdPreviewer previewer_;
};

}  // namespace app
