#include "app/ThresholdPreview.h"

#include "framework/core/LargeBlock.h"

namespace app {

void ThresholdPreview::Show(const analysis::AnalysisSession& session, double t) {
    SeriesPlotSink& preview = charts_.Preview();
    // The series lets the samples go first, so they can be written anew.
    preview.Clear();
    if (count_ != session.N()) {
        samples_.reset();
        count_ = session.N();
        // A large block: a few hundred page faults where plain memory of
        // millions of samples would cost tens of thousands on the first step.
        const std::size_t bytes = static_cast<std::size_t>(count_) * sizeof(double);
        samples_ = std::shared_ptr<double[]>(static_cast<double*>(fw::AllocateBlock(bytes)),
                                             [bytes](double* p) { fw::FreeBlock(p, bytes); });
    }
    session.PreviewThreshold(t, samples_.get());
    preview.AddShared(samples_, count_ - 1);
    charts_.ShowPreview(true);
    charts_.ThresholdLines().SetThreshold(t);
}

void ThresholdPreview::Hide() {
    if (!charts_.PreviewShown()) return;
    charts_.Preview().Clear();
    charts_.ShowPreview(false);
    samples_.reset();
    count_ = 0;
}

}  // namespace app
