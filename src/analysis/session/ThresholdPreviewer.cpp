#include "analysis/session/ThresholdPreviewer.h"

namespace analysis {

void ThresholdPreviewer::Write(const AnalysisSession& session, double t, double* out, bool update) {
    const DyadicSignal& samples = *session.Samples();
    const CoefficientView& view = session.View();
    const double bound = samples.MagnitudeBound();
    if (session.DecomposedWavelet() == Wavelet::Linear && view.Count() > 0 && view.Position(0) == 1 &&
        view.Stride() == 2 && FinestLevelPreview::Handles(session.J(), session.Levels(), bound)) {
        update = update && decompositionId_ == session.DecompositionId();
        decompositionId_ = session.DecompositionId();
        finest_.Write(samples.Data(), session.J(), session.Levels(), bound, t, out, update);
        return;
    }
    finest_.Forget();
    session.PreviewThreshold(t, out);
}

}  // namespace analysis
