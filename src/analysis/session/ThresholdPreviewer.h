#pragma once
// The signal the session's decomposition would give back were the viewed
// item thresholded at t, written while the buffer stays as it is: the
// preview a dragged threshold line shows. The finest level, the one of most
// coefficients, is previewed by rewriting only what each step of t changes;
// any other item by thresholding a copy and inverting it.

#include <cstdint>

#include "analysis/denoise/FinestLevelPreview.h"
#include "analysis/session/AnalysisSession.h"

namespace analysis {

class ThresholdPreviewer {
public:
    // Writes the preview for t to out (N values); `update` when out holds
    // this previewer's preview of the previous call, made since the buffer
    // last changed. Requires a decomposition and a viewed item.
    void Write(const AnalysisSession& session, double t, double* out, bool update);
    // Lets what it kept from the last preview go.
    void Forget() { finest_.Forget(); }

private:
    FinestLevelPreview finest_;
    uint64_t decompositionId_ = 0;
};

}  // namespace analysis
