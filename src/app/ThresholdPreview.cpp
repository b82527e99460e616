#include "app/ThresholdPreview.h"

#include "framework/core/LargeBlock.h"

namespace app {

void ThresholdPreview::Show(const analysis::AnalysisSession& session, double t) {
    chart::TFastLineSeries& line = charts_.PreviewLine();
    if (charts_.PreviewShown() && count_ == session.N() && line.Count() == count_ &&
        line.YValues().RawData() == samples_.get()) {
        // The next step of a drag: the series keeps its lists and the
        // summary its storage, only the values change.
        previewer_.Write(session, t, samples_.get(), true);
        line.SharedValuesRewritten();
        charts_.ThresholdLines().SetThreshold(t);
        return;
    }
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
    previewer_.Write(session, t, samples_.get(), false);
    preview.AddShared(samples_, count_ - 1);
    charts_.ShowPreview(true);
    charts_.ThresholdLines().SetThreshold(t);
}

void ThresholdPreview::Hide() {
    previewer_.Forget();
    if (!charts_.PreviewShown()) return;
    charts_.Preview().Clear();
    charts_.ShowPreview(false);
    samples_.reset();
    count_ = 0;
}

}  // namespace app
