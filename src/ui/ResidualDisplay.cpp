#include "ui/ResidualDisplay.h"

#include <tuple>

#include <QLabel>

#include "ui/BufferStatus.h"

namespace ui {

void ResidualDisplay::Refresh(const analysis::AnalysisSession& session, bool residualOn) {
    const bool reconstructed = charts_.Series2().Series().Count() > 0 && charts_.Series3().Series().Count() == 0;
    if (!reconstructed) {
        residual_.reset();
    } else if (!residual_ || residualFor_ != session.DecompositionId()) {
        residual_ = analysis::MeasureResidual(charts_.Series1().PlottedValues(), charts_.Series2().PlottedValues());
        residualFor_ = session.DecompositionId();
        charts_.Residual().Clear();
    }
    const bool shown = residual_ && residualOn;
    if (shown && charts_.Residual().Series().Count() == 0) {
        charts_.Residual().AddArray(residual_->residual.data(), static_cast<int32_t>(residual_->residual.size()) - 1);
    }
    if (!shown) charts_.Residual().Clear();
    charts_.ShowResidual(shown);

    BufferFigures figures;
    if (residual_) {
        figures.Reconstructed = true;
        figures.ResidualRms = residual_->rms;
        figures.Noise = residual_->noise;
    } else if (session.CanUndo()) {
        std::tie(figures.ZeroDetails, figures.Details) = session.ZeroDetails();
    }
    figures_.setText(QString::fromStdString(BufferFiguresText(figures)));
}

}  // namespace ui
